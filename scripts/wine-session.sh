#!/bin/sh
# Starts and stops the Wine session that the Windows tests of one run share:
# a throwaway prefix inside the build tree, one persistent wineserver and a
# virtual X display, so that each test start is cheap and CI needs no screen.
#
#   wine-session.sh start <session dir>
#   wine-session.sh stop  <session dir>
set -eu

action=$1
dir=$2
. "$(cd "$(dirname "$0")" && pwd)/wine-env.sh"

stop_session() {
    if [ -d "$WINEPREFIX" ]; then
        "$WINE_BIN_DIR/wineserver" -k 2>/dev/null || true
    fi
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
        rm -f "$dir/xvfb.pid"
    fi
    rm -f "$dir/display"
}

# Xvfb picks a free display itself (-displayfd), so sessions that start at
# the same moment (several build trees on one machine) never share a screen.
start_display() {
    : >"$dir/displayfd"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$dir/displayfd" >"$dir/xvfb.log" 2>&1 </dev/null &
    echo $! >"$dir/xvfb.pid"
    i=0
    while [ $i -lt 100 ]; do
        n=$(tr -dc '0-9' <"$dir/displayfd" 2>/dev/null || true)
        if [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
            echo ":$n" >"$dir/display"
            return 0
        fi
        sleep 0.1
        i=$((i + 1))
    done
    kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true
    echo "wine-session: Xvfb did not start" >&2
    return 1
}

# Waits until the server listens on the prefix's socket.
wait_for_server() {
    dev=$(stat -c '%D' "$WINEPREFIX")
    ino=$(printf '%x' "$(stat -c '%i' "$WINEPREFIX")")
    i=0
    while [ $i -lt 100 ]; do
        # The server directory is /tmp/.wine-<uid> or a private /tmp/wine-XXXXXX.
        for socket in /tmp/.wine-"$(id -u)"/server-"$dev-$ino"/socket /tmp/wine-*/server-"$dev-$ino"/socket; do
            [ -S "$socket" ] && return 0
        done
        sleep 0.1
        i=$((i + 1))
    done
    echo "wine-session: wineserver did not start" >&2
    return 1
}

case "$action" in
start)
    mkdir -p "$dir"
    stop_session
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    start_display
    export DISPLAY="$(cat "$dir/display")"
    # The persistent server comes first, detached from our output, so that the
    # system processes wineboot starts (services, device drivers) live in it
    # for the whole run. Had a test process started them, they would inherit
    # its output pipe and the test runner would wait for them forever.
    setsid "$WINE_BIN_DIR/wineserver" -p >/dev/null 2>&1 </dev/null &
    wait_for_server
    "$WINE_BIN_DIR/wine64" wineboot -i >"$dir/wineboot.log" 2>&1 </dev/null
    install_symbol_font
    # No window manager runs on the virtual display, so Wine's X11 driver
    # must place and activate windows itself (Managed=N); otherwise each
    # hidden or destroyed top-level window waits two seconds for a window
    # manager's answer that never comes.
    "$WINE_BIN_DIR/wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >>"$dir/wineboot.log" 2>&1 </dev/null
    echo "wine-session: prefix $WINEPREFIX, display $DISPLAY"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: $0 start|stop <session dir>" >&2
    exit 2
    ;;
esac
