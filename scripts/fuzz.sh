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
    "$f" -max_total_time="$seconds" -print_final_stats=0 "$work" $seeds 2>&1 | tail -3
done
echo "== fuzzing finished without findings"
