#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on)
# and runs each on a seed corpus of small valid files that our writers make: the picture readers,
# the colour profiles and the thumbnail load of a session, and core's files (queue, settings
# records, exchange file, language files). tools/fuzz.sh [SECONDS_PER_TARGET]
#
# Each reader gets a fixed number of inputs from a fixed random seed, so that every machine tries
# much the same inputs (libFuzzer's choices still vary a little with timing) and a slow machine
# stops at the time limit. To search further, set VF_FUZZ_SEED and VF_FUZZ_RUNS_SCALE (a factor
# on the counts); VF_FUZZ_READERS="Raw Image Queue" runs only the targets named.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-20}"
out="$root/build-fuzz"
mkdir -p "$out/obj" "$out/corpus"
cd "$root"

libs="libjpeg libturbojpeg libpng libtiff-4 libopenjp2 lcms2 exiv2"
cflags="$(pkg-config --cflags $libs)"
ldlibs="$(pkg-config --libs $libs) -lgif"
common=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined
        -fno-sanitize-recover=all -I"$root" $cflags)

qtflags="$(pkg-config --cflags Qt6Core Qt6Gui) -fPIC"
qtlibs="$(pkg-config --libs Qt6Core Qt6Gui)"
# The sources core's file targets need: the files' readers and writers and what they use.
core_sources=(core/queue/queue_file.cpp core/queue/queue_params.cpp core/settings/*.cpp
              core/files/file_replacement.cpp core/files/path_bytes.cpp core/batch/engine_record.cpp
              core/errors/failure_text.cpp
              core/document/exchange_file.cpp core/i18n/language.cpp core/i18n/language_file.cpp)

# An object is rebuilt when its source, or any header of the project, is newer than it: finding
# out which headers a source really includes is not worth it for a build of this size.
echo "== Fuzz: building the targets"
# Every stage of the pipe reads all of its input: a reader that stops early (head) would end the
# writer with SIGPIPE once the list outgrows one write, and pipefail would stop the script.
newest_header="$(find imaging core engine -name '*.h' -printf '%T@ %p\n' | sort -n | tail -n 1 |
  cut -d' ' -f2-)"
stale() { [ ! -f "$2" ] || [ "$1" -nt "$2" ] || [ "$newest_header" -nt "$2" ]; }
# The camera raw decoder. With VF_FUZZ_RAW_IN_PROCESS=1 its work runs in the fuzzing process
# (VF_RAW_IN_PROCESS), sanitized, so that a report in our decoding code counts and its coverage
# reaches libFuzzer; LibRaw's own faults on mutated files then stop the fuzzer too. By default the
# Raw and Image readers start the decoder program as the product does, from "library/" beside the
# running executable, built as for use: a fault inside it fails that one file, never the fuzzer,
# and what is fuzzed is our side, the reader's handling of whatever the decoder answers or does.
# LibRaw's flags ask for OpenMP, which clang would take from its own runtime (libomp), while
# libraw.so already brings GCC's, so the flag is left out.
raw_sources=()
rawflags=""
rawlibs="$(pkg-config --libs libraw | sed 's/-fopenmp//g')"
if [ "${VF_FUZZ_RAW_IN_PROCESS:-0}" = 1 ]; then
  rawflags="-DVF_RAW_IN_PROCESS $(pkg-config --cflags libraw)"
  ldlibs="$ldlibs $rawlibs"
  raw_sources=(imaging/raw_decoder/libraw_decoding.cpp imaging/raw_decoder/answering.cpp)
else
  mkdir -p "$out/library"
  clang++ -std=c++20 -O1 -g -I"$root" $(pkg-config --cflags libraw) imaging/raw_decoder/*.cpp \
    $rawlibs -o "$out/library/velmarfilter-raw"
fi
# The raw reader is compiled for one mode or the other: never reuse it across modes.
rm -f "$out/obj/raw_codec.o"
objects=()
for src in imaging/*.cpp "${raw_sources[@]}"; do
  obj="$out/obj/$(basename "${src%.cpp}").o"
  if stale "$src" "$obj"; then
    clang++ "${common[@]}" $rawflags -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
  fi
  objects+=("$obj")
done
core_objects=()
mkdir -p "$out/obj/core"
for src in "${core_sources[@]}"; do
  name="${src#core/}"
  obj="$out/obj/core/${name//\//_}"
  obj="${obj%.cpp}.o"
  if stale "$src" "$obj"; then
    clang++ "${common[@]}" -I"$root/engine" $qtflags -fsanitize=fuzzer-no-link -c "$src" -o "$obj"
  fi
  core_objects+=("$obj")
done
clang++ "${common[@]}" tests/imaging/fuzz/make_seeds.cpp "${objects[@]}" $ldlibs -o "$out/make_seeds"
rm -rf "$out/seeds"
"$out/make_seeds" "$out/seeds"
clang++ "${common[@]}" -I"$root/engine" $qtflags tests/core/fuzz/make_core_seeds.cpp \
  "${core_objects[@]}" "${objects[@]}" $qtlibs $ldlibs -o "$out/make_core_seeds"
"$out/make_core_seeds" "$out/seeds" data/languages/english.txt data/languages/bulgarian.txt
# The photographs and decoder test files of the tests are seeds too.
cp tests/data/imaging/pngsuite/*.png "$out/seeds/Png/"
mkdir -p "$out/seeds/Gif"
cp tests/data/imaging/decoder-variants/*.gif "$out/seeds/Gif/"
cp tests/data/imaging/decoder-variants/*.jpeg "$out/seeds/Jpeg/"
cp tests/data/imaging/decoder-variants/*.jpeg "$out/seeds/Thumbnail/"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
seed="${VF_FUZZ_SEED:-1}"
scale="${VF_FUZZ_RUNS_SCALE:-1}"
# Inputs per reader: about what a reader gets through in 20 seconds on a build machine.
declare -A runs=([Bmp]=150000 [Jpeg]=30000 [Png]=500000 [Tiff]=40000 [Gif]=100000
                 [Jpeg2000]=20000 [Psd]=20000 [Raw]=1200 [Image]=4000
                 [Profile]=30000 [Thumbnail]=6000
                 [Queue]=12000 [Settings]=100000 [Exchange]=10000 [Language]=12000)
all="Bmp Jpeg Png Tiff Gif Jpeg2000 Psd Raw Image Profile Thumbnail Queue Settings Exchange Language"
for reader in ${VF_FUZZ_READERS:-$all}; do
  case "$reader" in
    Profile|Thumbnail)
      clang++ "${common[@]}" -fsanitize=fuzzer -DVF_FUZZ_SESSION="$reader" \
        tests/imaging/fuzz/fuzz_session.cpp "${objects[@]}" $ldlibs -o "$out/fuzz_$reader" ;;
    Queue|Settings|Exchange|Language)
      clang++ "${common[@]}" -I"$root/engine" $qtflags -fsanitize=fuzzer -DVF_FUZZ_FILE="$reader" \
        tests/core/fuzz/fuzz_core_file.cpp "${core_objects[@]}" "${objects[@]}" $qtlibs $ldlibs \
        -o "$out/fuzz_$reader" ;;
    *)
      extra=()
      [ "$reader" = Image ] && extra=(-DVF_FUZZ_METADATA)
      clang++ "${common[@]}" -fsanitize=fuzzer -DVF_FUZZ_READER="$reader" "${extra[@]}" \
        tests/imaging/fuzz/fuzz_decoder.cpp "${objects[@]}" $ldlibs -o "$out/fuzz_$reader" ;;
  esac
  # A fresh corpus each time: what an earlier run found would change the inputs tried.
  rm -rf "$out/corpus/$reader"
  mkdir -p "$out/corpus/$reader"
  count=$(( ${runs[$reader]} * scale ))
  echo "== Fuzz: $reader, $count inputs from seed $seed (at most ${seconds}s)"
  if ! (cd "$out" && "./fuzz_$reader" -seed="$seed" -runs="$count" -reload=0 \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 "corpus/$reader" "seeds/$reader" \
        > "fuzz_$reader.log" 2>&1); then
    echo "Fuzz target $reader failed; see $out/fuzz_$reader.log"
    tail -40 "$out/fuzz_$reader.log"
    status=1
  fi
  # libFuzzer's final statistics say how many inputs were run; fewer than asked means the time
  # limit stopped the target (or it failed) before the budget was spent.
  reached="$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/fuzz_$reader.log" | tail -1)"
  echo "   $reader reached ${reached:-?} of $count inputs"
done
exit $status
