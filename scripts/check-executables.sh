#!/bin/sh
# Reads the PE headers of every Windows executable under the given build tree
# and fails when one of them
# - imports a DLL that does not ship with Windows (a MinGW runtime DLL, for
#   instance): the .exe files must run on a plain Windows x64 installation;
# - is not marked terminal-server aware, or asks for a subsystem version
#   other than 6.0: without them Windows treats a program as a legacy one
#   (remapped per-user files under Remote Desktop, older defaults).
set -eu

root=$1
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll ole32.dll
oleaut32.dll uxtheme.dll shell32.dll shlwapi.dll gdiplus.dll msvcrt.dll
advapi32.dll imm32.dll winmm.dll version.dll ws2_32.dll shcore.dll
bcrypt.dll dwmapi.dll api-ms-win-crt-runtime-l1-1-0.dll ucrtbase.dll"

# The value of one field of `objdump -p`'s header dump, e.g. MajorSubsystemVersion.
field() {
    printf '%s\n' "$1" | sed -n "s/^$2[[:space:]]\{1,\}//p" | head -n 1
}

found=0
bad=0
# CMake's compiler checks leave programs of their own under CMakeFiles/.
for exe in $(find "$root" -name '*.exe' -not -path '*/wine/*' -not -path '*/CMakeFiles/*' | sort); do
    found=$((found + 1))
    headers=$(x86_64-w64-mingw32-objdump -p "$exe")
    for dll in $(printf '%s\n' "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $(echo $allowed) " in
        *" $dll "*) ;;
        *)
            echo "$exe imports $dll, which is not a system DLL" >&2
            bad=1
            ;;
        esac
    done
    if ! printf '%s\n' "$headers" | grep -q '^[[:space:]]*TERMINAL_SERVICE_AWARE'; then
        echo "$exe is not marked terminal-server aware" >&2
        bad=1
    fi
    version="$(field "$headers" MajorSubsystemVersion).$(field "$headers" MinorSubsystemVersion)"
    if [ "$version" != "6.0" ]; then
        echo "$exe asks for subsystem version $version, not 6.0" >&2
        bad=1
    fi
done
if [ "$found" -eq 0 ]; then
    echo "check-executables: no executables under $root" >&2
    exit 1
fi
if [ $bad -eq 0 ]; then
    echo "check-executables: $found executables import only system DLLs, are terminal-server aware and ask for subsystem 6.0"
fi
exit $bad
