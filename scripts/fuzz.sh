#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, 30 by default) from its committed corpus. Fails on any finding.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
seconds=${FUZZ_SECONDS:-30}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
for f in build/fuzz/fuzz/fuzz_*; do
    name=$(basename "$f")
    work=build/fuzz/corpus/$name
    mkdir -p "$work"
    seeds=fuzz/corpus/$name
    [ -d "$seeds" ] || seeds=""
    echo "== $name for ${seconds}s"
    log=build/fuzz/$name.log
    if ! "$f" -max_total_time="$seconds" "$work" $seeds >"$log" 2>&1; then
        tail -40 "$log"
        echo "== $name found a fault; the reproducer is in the log above ($log)" >&2
        exit 1
    fi
    grep -E '^Done [0-9]+ runs' "$log" || tail -1 "$log"
done
echo "== fuzzing finished without findings"
