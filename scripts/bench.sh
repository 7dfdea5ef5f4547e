#!/bin/sh
# Builds the release benchmarks natively and runs them; each benchmark family
# prints its ratio against the C library or standard container it is measured
# beside. Then the release tool (A) against the bare Win32 window (B), the
# floor it is measured against: the bytes of both programs; under Wine on a
# virtual display, start-up time, working set and click latency, with their
# ratios A / B; and the table of where the start-up of both goes, from their
# marked builds.
#
# QORVATH_BENCH_TOOL names program A (default: the tool, qorvath; the bare
# program itself while the build has no tool). QORVATH_BENCH_RUNS sets the
# launches of each (default 24, at least 12), QORVATH_BENCH_STEP_RUNS those
# of the marked builds (default 12).
set -eu
cd "$(dirname "$0")/.."
. scripts/windows-release.sh
scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" >/dev/null
# Repetitions in random interleaving, so that a busy neighbour slows ours and
# the reference alike; each ratio takes the fastest repetition of each side.
for b in build/bench/bench/*_bench; do
    echo "== $(basename "$b")"
    "$b" --benchmark_min_time=0.1 --benchmark_repetitions=5 \
        --benchmark_enable_random_interleaving=true --benchmark_color=false
done

release_configure
tool=${QORVATH_BENCH_TOOL:-qorvath}
if ! release_has_target "$tool"; then
    echo "bench: the build has no program '$tool' yet; measuring the bare window against itself"
    tool=bare_main_window
fi
release_build "$tool" bare_main_window qorvath_launcher qorvath_marked bare_main_window_marked
tool_exe=$(release_exe "$tool")
bare_exe=$(release_exe bare_main_window)
echo "== release programs: A $tool, B bare_main_window"
awk -v a="$(stat -c %s "$tool_exe")" -v b="$(stat -c %s "$bare_exe")" \
    'BEGIN { printf "ratio size A / B: %.2f (A %d bytes, B %d bytes)\n", a / b, a, b }'
# The session's display and server and the launched programs run before the
# builds beside them, which otherwise stretch single launches several times.
raise=
if [ "$(id -u)" = 0 ]; then
    raise="nice -n -15"
fi
session=$(pwd)/build/bench-session
trap 'scripts/wine-session.sh stop "$session"' EXIT
trap 'exit 130' INT TERM
$raise scripts/wine-session.sh start "$session" >/dev/null
echo "== main window under Wine: A $tool, B bare_main_window"
QORVATH_WINE_DIR=$session $raise scripts/wine-run.sh "$(release_exe qorvath_launcher)" bench \
    "$tool_exe" "$bare_exe" "${QORVATH_BENCH_RUNS:-24}"
echo "== start-up steps under Wine: A qorvath_marked, B bare_main_window_marked"
QORVATH_WINE_DIR=$session $raise scripts/wine-run.sh "$(release_exe qorvath_launcher)" steps \
    "$(release_exe qorvath_marked)" "$(release_exe bare_main_window_marked)" \
    "${QORVATH_BENCH_STEP_RUNS:-12}"
