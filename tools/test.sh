#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: once as built for use,
# once with AddressSanitizer and UndefinedBehaviorSanitizer. In between: the test programs run
# whole in a shuffled order, the engine's tests run under ThreadSanitizer, the engine is built as
# a 32-bit Windows library and its exports checked, and the picture readers' fuzz targets run on
# a fixed set of inputs each, within a time limit.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
# Each part says when it started, so that a run near CI's time limit shows where the time went.
section() { echo "== $1 (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }
bash tools/install-deps.sh

section "Build and test"
bash tools/build.sh build -DVF_BUILD_TESTS=ON
(cd build && ctest --output-on-failure --parallel "$(nproc)")

# ctest runs every test in a process of its own, which hides state one test leaves for the next;
# the whole programs, in a shuffled order and twice over, do not.
section "Pictures of the program window under Xvfb"
bash tools/screenshots.sh build english german russian

section "Whole test programs, shuffled and repeated"
for program in engine_tests core_tests imaging_tests app_tests; do
  echo "-- $program"
  (cd build && "./$program" --gtest_shuffle --gtest_random_seed=7 --gtest_repeat=2 --gtest_brief=1)
done

section "The engine's threads under ThreadSanitizer"
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVF_BUILD_TESTS=ON \
  -DVF_SANITIZE_THREAD=ON >/dev/null
cmake --build build-tsan --target engine_tests --parallel "$(nproc)"
# The tests named *ImpossibleSize* ask for impossible sizes on purpose and want the null a failed
# allocation gives; only they run with it, so that an oversized request anywhere else is a report.
tsan_options=halt_on_error=1:second_deadlock_stack=1
TSAN_OPTIONS=$tsan_options ./build-tsan/engine_tests --gtest_brief=1 --gtest_filter='-*ImpossibleSize*'
TSAN_OPTIONS=$tsan_options:allocator_may_return_null=1 \
  ./build-tsan/engine_tests --gtest_brief=1 --gtest_filter='*ImpossibleSize*'

section "The engine as a 32-bit Windows library"
bash tools/windows-dll.sh build-win32

section "Fuzz the picture readers"
bash tools/fuzz.sh 60
# The camera raw decoding once more inside the fuzzing process: a sanitizer report in our own raw
# code then counts, and its coverage guides the fuzzer (the program keeps it in a child process).
VF_FUZZ_RAW_IN_PROCESS=1 VF_FUZZ_READERS=Raw bash tools/fuzz.sh 60

section "Build and test with sanitizers"
# Camera raw files are decoded in the test's own process here, so that a sanitizer report in our
# raw decoding code fails the test that met it (the normal build keeps the decoder program).
# -O1 with line tables only, the sanitizers' usual level: about half the compile time of -O2 -g,
# which keeps the whole run within CI's time limit; reports still name the file and line.
bash tools/build.sh build-asan -DVF_BUILD_TESTS=ON -DVF_SANITIZE=ON -DVF_RAW_IN_PROCESS=ON \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
# An oversized allocation (often a size that overflowed) is a report. The tests that ask for an
# impossible size on purpose (label out_of_memory) have allocator_may_return_null=1 appended by
# their own ctest entries, so that for them a failed allocation comes back as null, as it does
# outside the sanitizer.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build-asan && ctest --output-on-failure --parallel "$(nproc)")
section "Done"
