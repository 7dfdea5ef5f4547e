# Sourced by run.sh and bench.sh: the optimised, stripped Windows build
# (preset windows-release) and the programs in it. Expects the working
# directory to be the repository root.

# Configures the release tree once; the log goes to build/windows-release.log.
release_configure() {
    mkdir -p build
    if ! cmake --preset windows-release >build/windows-release.log 2>&1; then
        cat build/windows-release.log >&2
        return 1
    fi
}

# True when the release tree knows the target.
release_has_target() {
    cmake --build --preset windows-release --target help 2>/dev/null | grep -q "^\.\.\. $1\$"
}

# Builds the named targets; on failure shows the errors.
release_build() {
    if ! cmake --build --preset windows-release -j "$(nproc 2>/dev/null || echo 2)" \
        --target "$@" >>build/windows-release.log 2>&1; then
        grep -E -B2 -A12 'error|Error' build/windows-release.log | head -150 >&2
        return 1
    fi
}

# The absolute path of a built program of the release tree.
release_exe() {
    find "$(pwd)/build/windows-release" -name "$1.exe" -not -path '*/CMakeFiles/*' | head -n 1
}
