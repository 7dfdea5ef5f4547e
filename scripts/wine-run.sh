#!/bin/sh
# Runs one Windows executable under Wine in the session that wine-session.sh
# started (QORVATH_WINE_DIR names its directory; by default the windows
# preset's). Used as CMAKE_CROSSCOMPILING_EMULATOR.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
dir=${QORVATH_WINE_DIR:-$here/../build/windows/wine}
. "$here/wine-env.sh"
if [ -f "$dir/display" ]; then
    DISPLAY=$(cat "$dir/display")
    export DISPLAY
fi
exec "$WINE_BIN_DIR/wine64" "$@"
