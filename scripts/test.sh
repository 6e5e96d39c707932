#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test through CTest (the main lane);
# builds the test programs of the layers again under AddressSanitizer and
# UndefinedBehaviorSanitizer (in ./build-asan) and runs them (the sanitizer lane, beside the main
# one); fuzzes the configuration record reader for a fixed time (the fuzz lane). Ends with one
# line for each of the three. Any failure stops the script with a non-zero status. In the trees
# built here for testing, a compiler warning is an error.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
# Each sanitized program runs as this many shards, every shard its share of the cases in one
# process: under the sanitizers a program's start costs more than most cases.
shards=8
# The sanitizers' reports, of the sanitized tests and of the fuzzer, carry a stack trace.
export UBSAN_OPTIONS=print_stacktrace=1

setup() {
  scripts/setup-debian.sh --fuzz
}

# The package and end-to-end checks do not run again under the sanitizers: they drive the whole
# program from outside and would add minutes, not findings. The layers' tests carry the label
# "layer". Debug (-O0) compiles fastest, which matters more than running speed here: the tests
# mostly wait for the 100 ms tick. Line tables (-g1) are all the sanitizers' reports need, and
# cost less than full debugging information. Each target compiles as one unit (batch size 0),
# which costs less CPU than units of a few files, and this tree is never rebuilt file by file
# while someone works. Warnings are errors in every target of this tree, the program's libraries
# included.
configure_sanitizer_lane() {
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$sanitizers" \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_UNITY_BUILD_BATCH_SIZE=0 -DKVT_TEST_SHARDS=$shards \
    -DKVT_TEST_CODE_OPTIONS=-fno-sanitize=undefined -DKVT_COMPILER_CACHE=OFF \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
}

# Its output is in build-asan/ and shown here only when it fails. It is the longer of the two
# lanes, so it compiles one more file at a time than there are cores, which gives it the larger
# share of them while both compile. The shards mostly wait: three run at a time for every core.
# LeakSanitizer stays on (ASan's default): Qt leaves nothing behind that it reports, so any leak
# it finds is ours.
sanitizer_lane() {
  cmake --build build-asan -j$((jobs + 1)) --target model_tests files_tests link_tests \
    window_tests cli_tests >build-asan/build.log 2>&1 ||
    { tail -n 50 build-asan/build.log; echo "the sanitizer build failed"; return 1; }
  ctest --test-dir build-asan -L layer --output-on-failure -j$((3 * jobs)) \
    >build-asan/ctest.log 2>&1 || { cat build-asan/ctest.log; return 1; }
}

# The sanitizer lane goes on from the start beside the main lane, which mostly waits on the
# panel's ticks: together they keep both cores busy. In a process group of its own, so that
# stopping it stops its compilers and tests too.
start_sanitizer_lane() {
  configure_sanitizer_lane
  set -m
  sanitizer_lane &
  sanitizing=$!
  set +m
  trap 'kill -- -"$sanitizing" 2>/dev/null || true' EXIT
}

# The program as scripts/build.sh builds it for a user, then the tests and benchmarks in the same
# tree. The program's objects there are shared with the package's build through the compiler
# cache, so -Werror goes on the test programs alone (tests/CMakeLists.txt); the sanitizer tree
# compiles the program's code with it. The tests mostly wait on the panel's ticks, and the
# package test takes a while: two run at a time for every core.
main_lane() {
  scripts/build.sh
  cmake --build build -j"$jobs"
  ctest --test-dir build --output-on-failure -j$((2 * jobs)) | tee build/ctest.log
}

# The fuzzer runs for a fixed time, beside the end of the sanitizer lane, whose shards mostly
# wait; beside the main tests it slowed the sanitizer build, the longer of the two lanes.
fuzz_lane() {
  scripts/fuzz.sh >build/fuzz.txt 2>&1 || { cat build/fuzz.txt; return 1; }
}

# CTest keeps every shard's output; GoogleTest ends each with "[  PASSED  ] N tests." and, when
# some skipped (a case that needs root, run by another user), "[  SKIPPED ] M tests, listed
# below:". The shards together must have run every case the main lane ran one by one: a shard
# that silently ran none would otherwise pass.
finish_sanitizer_lane() {
  echo "Waiting for the sanitizer run (its output: build-asan/build.log, build-asan/ctest.log)"
  wait "$sanitizing"
  sanitized_cases=$(awk '/^\[  (PASSED  |SKIPPED )\] [0-9]+ tests?[.,]/ {n += $4} END {print n + 0}' \
    build-asan/Testing/Temporary/LastTest.log)
  local layer_cases
  layer_cases=$(ctest --test-dir build -L layer -N | awk '/^Total Tests:/ {print $3}')
  if ((sanitized_cases != layer_cases)); then
    echo "the sanitizer run passed $sanitized_cases cases, the main run has $layer_cases"
    return 1
  fi
}

summary() {
  echo
  echo "Summary"
  echo "  All tests:            $(grep -E 'tests passed' build/ctest.log)"
  echo "  Under the sanitizers: $(grep -E 'tests passed' build-asan/ctest.log)" \
    "($shards shards of each program, $sanitized_cases cases)"
  echo "  $(tail -n 1 build/fuzz.txt)"
}

setup
start_sanitizer_lane
main_lane
fuzz_lane
finish_sanitizer_lane
summary
