#!/bin/sh
# Builds the Windows program and starts it under Wine on this machine's display
# (or on a virtual one when there is none).
set -eu
cd "$(dirname "$0")/.."

echo "Qorvath: the main window is not built yet; there is no program to start." >&2
exit 1
