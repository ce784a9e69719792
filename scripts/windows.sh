#!/usr/bin/env bash
# The Windows edition: cross-builds the converter and the core's tests with mingw-w64 (build/windows), runs the
# tests under wine64, runs the converter under wine on the examples the way the Linux tests do and compares
# every byte with the Linux converter's, and packs dist/tessaroven-windows-VERSION.zip (the .exe, the examples
# and a Japanese read-me). No display is needed; wine keeps its own prefix in build/windows/wine.
#   scripts/windows.sh
# WINDOWS_JOBS chooses the build jobs (default 2). Prints the build time, the test time, the .exe's size and
# the converter's run time under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="${WINDOWS_JOBS:-2}"
build=build/windows
scripts/install-deps.sh

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine="$(command -v wine64 || command -v wine)"
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver="$(command -v wineserver)"
export WINEPREFIX="$PWD/$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns the arguments into UTF-16 by the locale's character set: Japanese needs a UTF-8 one.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

mkdir -p "$build"
start=$(now)
# One wine server for the whole run (unless one is up already): each program then starts in a fraction of a
# second instead of starting a server of its own.
"$wineserver" -p 2>/dev/null || true
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" wineboot --init >/dev/null 2>&1 || true
prefix_seconds=$(seconds "$start" "$(now)")

start=$(now)
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
build_seconds=$(seconds "$start" "$(now)")

start=$(now)
ctest --preset windows
test_seconds=$(seconds "$start" "$(now)")

exe="$build/src/cli/tessaroven-convert.exe"
# One file that runs on a bare Windows: every DLL it imports is part of the system.
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p')
for dll in $imports; do
    case "${dll,,}" in
        kernel32.dll | msvcrt.dll | shell32.dll | user32.dll | advapi32.dll | ws2_32.dll | api-ms-win-*) ;;
        *) echo "tessaroven-convert.exe needs $dll, which Windows does not bring" >&2; exit 1 ;;
    esac
done

# The Linux converter for the comparison: the dev build's, or one built for this.
native=build/dev/src/cli/tessaroven-convert
if [ ! -x "$native" ]; then
    cmake -S . -B build/native-convert -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DTESSAROVEN_BUILD_GUI=OFF -DTESSAROVEN_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build build/native-convert -j "$jobs" --target tessaroven-convert
    native=build/native-convert/src/cli/tessaroven-convert
fi

# Each run in a folder of its own per system, with the same names, so that messages naming files match too.
# A run is: name, standard input (a file of examples/ or -), then the arguments.
compare="$build/compare"
rm -rf "$compare"
spectrum=tests/data/egsnrc/201110_HVLDyn_spec_100kV_body.spectrum
runs=(
    "csv|readings-5.txt|"
    "list|readings-5.txt|--list"
    "list-en|readings-5.txt|--lang en --list"
    "profile|readings-5.txt|--profile -"
    "save-measurement|readings-5.txt|--save-measurement m.tessaroven.json --output o.csv"
    "measurement|-|--measurement worked-example.tessaroven.json"
    "measurement-list-en|-|--lang en --list --measurement worked-example.tessaroven.json"
    "spectrum|readings-5.txt|--spectrum s.spectrum --profile p.csv --xcist x.txt --egsnrc e"
    "spectrum-measurement|readings-5.txt|--spectrum s.spectrum --save-measurement m.tessaroven.json"
    "japanese-comment|readings-5.txt|--comment 測定_日本語 --output o.csv --profile p.csv"
    "japanese-name|-|--measurement 測定.tessaroven.json --output 結果.csv --save-measurement 保存.tessaroven.json"
    "refused|readings-5.txt|--distance 六十"
    "refused-en|readings-5.txt|--lang en --output 無い/o.csv"
)
run_all() {  # system, converter...
    local system="$1"
    shift
    for run in "${runs[@]}"; do
        IFS='|' read -r name input arguments <<<"$run"
        local folder="$compare/$system/$name"
        mkdir -p "$folder"
        cp examples/* "$folder/"
        cp "$spectrum" "$folder/s.spectrum"
        cp examples/worked-example.tessaroven.json "$folder/測定.tessaroven.json"
        [ "$input" = - ] && input=/dev/null
        local status=0
        # shellcheck disable=SC2086  # the arguments are words
        (cd "$folder" && "$@" $arguments <"$input" >stdout 2>stderr) || status=$?
        echo "$status" >"$folder/status"
        # Messages are text: Windows ends their lines with CR LF.
        sed -i 's/\r$//' "$folder/stderr"
    done
}
run_all linux "$PWD/$native"
run_all windows "$wine" "$PWD/$exe"
if ! diff -r "$compare/linux" "$compare/windows"; then
    echo "The Windows converter's outputs differ from the Linux converter's (above)." >&2
    exit 1
fi
echo "Byte for byte as on Linux: ${#runs[@]} runs, $(find "$compare/windows" -type f | wc -l) files"
# Drawing needs the desktop program's Qt part, which this edition has not: both options say so and write
# nothing.
for option in --plot --report; do
    status=0
    "$wine" "$exe" "$option" "$compare/drawing" <examples/readings-5.txt >/dev/null 2>"$compare/drawing.err" \
        || status=$?
    if [ "$status" -eq 0 ] || ! grep -q -- "$option" "$compare/drawing.err" || [ -e "$compare/drawing" ]; then
        echo "$option was not refused with its message:" >&2
        cat "$compare/drawing.err" >&2
        exit 1
    fi
done

# The worked example's run time once wine is up: the best of five.
best=""
for _ in 1 2 3 4 5; do
    start=$(now)
    "$wine" "$exe" --measurement examples/worked-example.tessaroven.json >/dev/null
    took=$(awk -v a="$start" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }')
    if [ -z "$best" ] || awk -v a="$took" -v b="$best" 'BEGIN { exit !(a < b) }'; then
        best="$took"
    fi
done

# The zip: the program stripped of its debugging symbols, the examples and the read-me.
version=$(sed -n 's/^project(Tessaroven VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package="tessaroven-windows-$version"
stage="$build/$package"
rm -rf "$stage"
mkdir -p "$stage/examples" dist
x86_64-w64-mingw32-strip -o "$stage/tessaroven-convert.exe" "$exe"
cp examples/* "$stage/examples/"
# Notepad and older Windows tools read UTF-8 only with a byte order mark, and expect CR LF.
{
    printf '\xEF\xBB\xBF'
    sed "s/@VERSION@/$version/; s/\$/\r/" resources/windows/README-ja.txt
} >"$stage/README-ja.txt"
root="$PWD"
rm -f "dist/$package.zip"
(cd "$build" && zip -qrX "$root/dist/$package.zip" "$package")
"$wine" "$stage/tessaroven-convert.exe" --list <examples/readings-5.txt >/dev/null

echo "== Windows edition"
echo "wine prefix:      ${prefix_seconds} s (first start)"
echo "cross build:      ${build_seconds} s"
echo "tests under wine: ${test_seconds} s"
echo "converter:        $(stat -c %s "$exe") bytes, $(stat -c %s "$stage/tessaroven-convert.exe") bytes stripped"
echo "worked example:   ${best} s under wine (best of five, wine already started)"
echo "package:          dist/$package.zip ($(stat -c %s "dist/$package.zip") bytes)"
