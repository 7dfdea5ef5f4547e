#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, 30 by default) from its committed corpus. Fails on any finding.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
seconds=${FUZZ_SECONDS:-30}

# The longest input a target is given. Every reader's structures fit well
# inside it (a number text of 500 units saturates long before its end; 256
# bytes of text array hold dozens of texts of every shape), and runs on
# shorter inputs are cheap enough for millions of runs a minute.
max_len() {
    case $1 in
    fuzz_text_array_load) echo 256 ;;
    *) echo 1024 ;;
    esac
}
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
    # The plain schedule rather than the entropic one: once a corpus stops
    # finding new features, the entropic bookkeeping took most of every run
    # (a tenth of the runs a minute on the text array loader).
    if ! "$f" -max_total_time="$seconds" -max_len="$(max_len "$name")" -entropic=0 \
        "$work" $seeds >"$log" 2>&1; then
        tail -40 "$log"
        echo "== $name found a fault; the reproducer is in the log above ($log)" >&2
        exit 1
    fi
    # The runs and their rate a minute, the figure the fuzzers are held to.
    runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 \2/p' "$log")
    if [ -n "$runs" ]; then
        echo "$runs" | awk '{ printf "Done %d runs in %d s: %.2f million runs a minute\n", $1, $2, $1 * 60 / $2 / 1e6 }'
    else
        tail -1 "$log"
    fi
done
echo "== fuzzing finished without findings"
