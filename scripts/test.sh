#!/bin/sh
# Builds both presets and runs every test: the portable suite natively under
# ASan and UBSan, and everything for Windows under Wine. Exits non-zero when
# any build or test fails.
set -u
cd "$(dirname "$0")/.."

scripts/setup.sh || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
status=0

mkdir -p build

run_preset() {
    preset=$1
    echo "== $preset: configure and build"
    if ! cmake --preset "$preset" >"build/$preset.log" 2>&1; then
        cat "build/$preset.log"
        return 1
    fi
    if ! cmake --build --preset "$preset" -j "$jobs" >>"build/$preset.log" 2>&1; then
        grep -E -B2 -A12 'error|Error' "build/$preset.log" | head -150
        return 1
    fi
    rm -f "build/$preset.log"
    echo "== $preset: test"
    ctest --preset "$preset" -j 1
}

run_preset native || status=1
run_preset windows || status=1

if [ $status -eq 0 ]; then
    echo "== all tests passed"
else
    echo "== FAILED" >&2
fi
exit $status
