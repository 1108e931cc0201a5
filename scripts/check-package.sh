#!/usr/bin/env bash
# Makes the portable zip from the Windows build, unpacks it into a fresh folder and checks it as a
# Windows user would meet it: what is inside, that Tarvik.exe needs no DLL beyond those Windows
# ships, and that it starts from there under Wine (its start line, with the revision the zip is
# named after, appears in the errors.log beside it). Needs the private display:
#   scripts/with-display.sh scripts/check-package.sh
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/lib/wine-env.sh
[ -n "${TARVIK_DISPLAY:-}" ] || { echo "no private display; see the usage above" >&2; exit 2; }

# The DLLs of Windows 10 and 11 the program may use; the C and C++ runtime's own DLLs are not
# among them, as the program links them in.
allowed='^(advapi32|bcrypt|comctl32|comdlg32|crypt32|dwmapi|gdi32|gdiplus|imm32|kernel32|msvcrt|ntdll|ole32|oleacc|oleaut32|powrprof|shell32|shlwapi|ucrtbase|user32|uxtheme|version|winhttp|winmm|ws2_32)\.dll$'

problems=0
problem() { echo "package: $*" >&2; problems=$((problems + 1)); }

cpack --preset windows >build/logs/package.log 2>&1 || { cat build/logs/package.log; exit 1; }
zip=$(sed -nE 's/.*package: (.*\.zip) generated.*/\1/p' build/logs/package.log)
version=$(sed -nE 's/.*Tarvik-([0-9]+\.[0-9]+\.[0-9]+)-win64\.zip$/\1/p' <<<"$zip")
[ -f "$zip" ] && [ -n "$version" ] || { echo "package: no zip named Tarvik-X.Y.Z-win64.zip" >&2; exit 1; }
echo "package: $zip"

folder=$root/build/package/unpacked
rm -rf "$folder" && mkdir -p "$folder" && (cd "$folder" && cmake -E tar xf "$zip") ||
    { echo "package: cannot unpack $zip" >&2; exit 1; }
for file in Tarvik.exe README.txt resources/theme.xml resources/start.png; do
    [ -f "$folder/$file" ] || problem "$file is missing"
done
[ -e "$folder/resources/src" ] && problem "resources/src (the skins' sources) was packed"
[ "$(find "$folder" -mindepth 1 -maxdepth 1 | wc -l)" -eq 3 ] ||
    problem "the zip's top holds more than Tarvik.exe, resources and README.txt"

while read -r dll; do
    grep -qiE "$allowed" <<<"$dll" || problem "Tarvik.exe needs $dll, which Windows does not ship"
done < <(x86_64-w64-mingw32-objdump -p "$folder/Tarvik.exe" | sed -nE 's/^\s*DLL Name: (.*)$/\1/p')

# Started as from Explorer: in its own folder, on the private display.
tarvik_wine_prefix
(cd "$folder" && DISPLAY=$TARVIK_DISPLAY exec wine Tarvik.exe) >/dev/null 2>&1 </dev/null &
program=$!
start="Starting Tarvik rev${version##*.}"
for _ in $(seq 120); do
    grep -qF "$start" "$folder/errors.log" 2>/dev/null && break
    kill -0 "$program" 2>/dev/null || break
    sleep 0.25
done
grep -qF "$start" "$folder/errors.log" 2>/dev/null ||
    problem "no \"$start\" in errors.log: $(cat "$folder/errors.log" 2>/dev/null)"
kill "$program" 2>/dev/null
for _ in $(seq 20); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
kill -9 "$program" 2>/dev/null
wait "$program" 2>/dev/null

[ "$problems" -eq 0 ] && echo "package: Tarvik $version starts from the unpacked zip"
[ "$problems" -eq 0 ]
