#!/bin/sh
# Fails when a Windows executable under the given build tree imports a DLL
# that does not ship with Windows (a MinGW runtime DLL, for instance): the
# .exe files must run on a plain Windows x64 installation.
set -eu

root=$1
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll ole32.dll
oleaut32.dll uxtheme.dll shell32.dll shlwapi.dll gdiplus.dll msvcrt.dll
advapi32.dll imm32.dll winmm.dll version.dll ws2_32.dll shcore.dll
bcrypt.dll dwmapi.dll api-ms-win-crt-runtime-l1-1-0.dll ucrtbase.dll"

found=0
bad=0
for exe in $(find "$root" -name '*.exe' -not -path '*/wine/*' | sort); do
    found=$((found + 1))
    for dll in $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $(echo $allowed) " in
        *" $dll "*) ;;
        *)
            echo "$exe imports $dll, which is not a system DLL" >&2
            bad=1
            ;;
        esac
    done
done
if [ "$found" -eq 0 ]; then
    echo "check-imports: no executables under $root" >&2
    exit 1
fi
echo "check-imports: $found executables import only system DLLs"
exit $bad
