#!/bin/sh
# Builds the release tool for Windows and starts it under Wine. On a working
# X display (the user's $DISPLAY) the tool runs there until the user closes
# it. Without one (CI, a server) it runs on a virtual display in a throwaway
# prefix: once its main window is idle a picture of the window is saved to
# build/screenshot.png and the window is closed as a user would close it.
# Either way the exit status is the tool's exit code.
#
# QORVATH_RUN_TARGET names another program of the build to start instead of
# the tool, e.g. bare_main_window, the tool's window in plain Win32 calls.
set -eu
cd "$(dirname "$0")/.."
. scripts/windows-release.sh

scripts/setup.sh
target=${QORVATH_RUN_TARGET:-qorvath}

release_configure
if ! release_has_target "$target"; then
    echo "run: the build has no program '$target' yet." >&2
    echo "run: QORVATH_RUN_TARGET=bare_main_window make run starts the bare stand-in." >&2
    exit 1
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    release_build "$target"
    exe=$(release_exe "$target")
    # A prefix of our own that lasts between runs, so the user's is untouched.
    dir=$(pwd)/build/run
    mkdir -p "$dir"
    . scripts/wine-env.sh
    # Wine makes the prefix at its first start; here it is made first, so
    # that the symbol font is in it before the tool draws its caption.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE_BIN_DIR/wine64" wineboot -i
    fi
    install_symbol_font
    echo "run: starting $exe on $DISPLAY"
    status=0
    "$WINE_BIN_DIR/wine64" "$exe" || status=$?
    exit $status
fi

release_build "$target" qorvath_launcher
exe=$(release_exe "$target")
launcher=$(release_exe qorvath_launcher)
session=$(pwd)/build/run-session
trap 'scripts/wine-session.sh stop "$session"' EXIT
trap 'exit 130' INT TERM
echo "run: no display; starting a virtual one"
scripts/wine-session.sh start "$session" >/dev/null
rm -f build/screenshot.png
status=0
QORVATH_WINE_DIR=$session scripts/wine-run.sh "$launcher" show "$exe" \
    "$(pwd)/build/screenshot.png" || status=$?
if [ -f build/screenshot.png ]; then
    echo "run: screenshot of the main window in build/screenshot.png"
fi
echo "run: $target exited with code $status"
exit $status
