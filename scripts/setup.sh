#!/bin/sh
# Installs the Debian packages the build, the tests, the benchmarks and the
# fuzzers need. Quiet and quick when everything is already there; as a
# non-root user it only reports what is missing.
set -eu

PACKAGES="cmake make g++ libgtest-dev googletest libbenchmark-dev
g++-mingw-w64-x86-64 wine64 fonts-wine xvfb x11-apps x11-utils imagemagick
fonts-wqy-microhei clang libclang-rt-14-dev locales"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages:$missing (run as root to install them)" >&2
        exit 1
    fi
    echo "setup: installing$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Wine takes its Windows locale from LANG; the Chinese captions need the
# zh_CN.UTF-8 locale to exist on the host.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    if [ "$(id -u)" -eq 0 ]; then
        sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
        locale-gen >/dev/null
    else
        echo "setup: locale zh_CN.UTF-8 is missing (run as root to generate it)" >&2
    fi
fi
