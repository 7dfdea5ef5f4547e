#!/bin/sh
# Builds the release benchmarks natively and runs them; each benchmark family
# prints its ratio against the C library or standard container it is measured beside.
set -eu
cd "$(dirname "$0")/.."
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
