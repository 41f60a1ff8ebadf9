#!/usr/bin/env bash
# Builds the picture readers' libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for a bounded time on a seed corpus of small valid
# files that our writers make. tools/fuzz.sh [SECONDS_PER_TARGET]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
out="$root/build-fuzz"
mkdir -p "$out/obj" "$out/corpus"
cd "$root"

libs="libjpeg libturbojpeg libpng libtiff-4 libopenjp2 libraw lcms2 exiv2"
cflags="$(pkg-config --cflags $libs)"
ldlibs="$(pkg-config --libs $libs) -lgif"
common=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined
        -fno-sanitize-recover=all -I"$root" $cflags)

echo "== Fuzz: building the readers"
objects=()
for src in imaging/*.cpp; do
  obj="$out/obj/$(basename "${src%.cpp}").o"
  if [ ! -f "$obj" ] || [ "$src" -nt "$obj" ] || [ imaging/codecs.h -nt "$obj" ]; then
    clang++ "${common[@]}" -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
  fi
  objects+=("$obj")
done

clang++ "${common[@]}" tests/imaging/fuzz/make_seeds.cpp "${objects[@]}" $ldlibs -o "$out/make_seeds"
rm -rf "$out/seeds"
"$out/make_seeds" "$out/seeds"
# The photographs and decoder test files of the tests are seeds too.
cp tests/data/imaging/pngsuite/*.png "$out/seeds/Png/"
mkdir -p "$out/seeds/Gif"
cp tests/data/imaging/decoder-variants/*.gif "$out/seeds/Gif/"
cp tests/data/imaging/decoder-variants/*.jpeg "$out/seeds/Jpeg/"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for reader in Bmp Jpeg Png Tiff Gif Jpeg2000 Psd Raw Image; do
  extra=()
  [ "$reader" = Image ] && extra=(-DVF_FUZZ_METADATA)
  clang++ "${common[@]}" -fsanitize=fuzzer -DVF_FUZZ_READER="$reader" "${extra[@]}" \
    tests/imaging/fuzz/fuzz_decoder.cpp "${objects[@]}" $ldlibs -o "$out/fuzz_$reader"
  mkdir -p "$out/corpus/$reader"
  echo "== Fuzz: $reader for ${seconds}s"
  if ! (cd "$out" && "./fuzz_$reader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=0 "corpus/$reader" "seeds/$reader" \
        > "fuzz_$reader.log" 2>&1); then
    echo "Fuzz target $reader failed; see $out/fuzz_$reader.log"
    tail -40 "$out/fuzz_$reader.log"
    status=1
  else
    grep -E '^#[0-9]+.*(DONE|pulse)' "$out/fuzz_$reader.log" | tail -1 || true
  fi
done
exit $status
