#!/usr/bin/env bash
# The engine as the 32-bit Windows library it stands in for: builds dnr.dll with mingw-w64 (engine
# only, one configuration) and checks its export table. Every function of dnr.h must be exported
# under its decorated stdcall name (an underscore, the name, "@" and the argument bytes, as in
# _Grainwash2@4), and nothing else. The record-layout assertions of dnr.h hold for 32-bit
# pointers, so they are checked by every engine source this build compiles.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-win32}"
objdump=i686-w64-mingw32-objdump

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/tools/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVF_ENGINE_ONLY=ON -DVF_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target dnr -j"$(nproc)"
# The header's record-layout assertions, also from C, as the program's side would include it.
i686-w64-mingw32-gcc-posix -std=c11 -fsyntax-only -I"$root/engine" "$root/tests/engine/c_api/layout32.c"
dll="$(find "$build" -name 'dnr.dll' -print -quit)"
[ -n "$dll" ] || { echo "dnr.dll was not built" >&2; exit 1; }

# Expected: every prototype of dnr.h, its bytes of arguments counted from its parameter list
# (every parameter is 32 bits wide on this target: integers of 32 bits and pointers).
expected="$(tr '\n' ' ' <"$root/engine/dnr.h" | grep -o 'DNR_CALL *[A-Za-z_0-9]* *([^)]*)' |
    sed -E 's/DNR_CALL *([A-Za-z_0-9]+) *\((.*)\)/\1|\2/' |
    awk -F'|' '{ args = $2; gsub(/^ +| +$/, "", args);
                 n = (args == "" || args == "void") ? 0 : split(args, parts, ",");
                 printf "_%s@%d\n", $1, 4 * n }' | sort)"
actual="$("$objdump" -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort)"

if [ "$expected" != "$actual" ]; then
    echo "dnr.dll exports differ from dnr.h (< expected, > exported):" >&2
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    exit 1
fi
echo "dnr.dll exports the $(echo "$actual" | wc -l) functions of dnr.h under their decorated names"
