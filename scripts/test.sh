#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test through CTest (the main lane);
# builds the test programs of the layers again under AddressSanitizer and
# UndefinedBehaviorSanitizer (in ./build-asan, beside the main lane) and runs them after it (the
# sanitizer lane); fuzzes the configuration record reader for a fixed time (the fuzz lane). Ends with one
# line for each of the three. Any failure stops the script with a non-zero status. In the trees
# built here for testing, a compiler warning is an error.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/build_tool.sh
jobs=$(nproc)
# In both lanes each layer's test program runs as this many shards, every shard its share of the
# cases in one process. A program that draws the window costs more CPU to start than most of its
# cases take: run case by case, the starts used three times the CPU of the cases themselves.
# (`cmake -B build -DKVT_TEST_SHARDS=0` registers one CTest test per case again, for `ctest -R`.)
shards=8
# The sanitizers' reports, of the sanitized tests and of the fuzzer, carry a stack trace.
export UBSAN_OPTIONS=print_stacktrace=1

# What the lanes compile with is installed first. The programs the tests drive install in the
# background while the trees compile, and are asked for again before the tests start, which
# waits for that install to end (or installs what it left). Not stopped with the lanes: an
# install cut off half-way would leave the machine's packages half-configured.
setup() {
  scripts/setup-debian.sh --fuzz
  mkdir -p build
  set -m
  scripts/setup-debian.sh --tests >build/setup-tests.log 2>&1 &
  set +m
}

# The programs the tests drive are there, and the tree has found them: it registers the checks
# that use them only where they are.
test_programs_ready() {
  scripts/setup-debian.sh --tests
  cmake -S . -B build >/dev/null
}

# The package and end-to-end checks do not run again under the sanitizers: they drive the whole
# program from outside and would add minutes, not findings. The layers' tests carry the label
# "layer". clang builds this tree (its sanitizer runtimes come with the fuzzer's packages): it
# compiles these programs with a third less CPU than g++, and its warnings add to g++'s in the
# main tree. A tree left by another compiler is made anew. Debug (-O0) compiles fastest, which
# matters more than running speed here: the tests mostly wait for the 100 ms tick. Line tables
# (-g1) are all the sanitizers' reports need, and cost less than full debugging information.
# Each target compiles as one unit (batch size 0), which costs less CPU than units of a few
# files, and this tree is never rebuilt file by file while someone works. Warnings are errors in
# every target of this tree, the program's libraries included.
configure_sanitizer_lane() {
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
  grep -qs '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++$' build-asan/CMakeCache.txt || rm -rf build-asan
  cmake -S . -B build-asan -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_UNITY_BUILD_BATCH_SIZE=0 \
    -DKVT_TEST_SHARDS=$shards \
    -DKVT_TEST_CODE_OPTIONS=-fno-sanitize=undefined -DKVT_COMPILER_CACHE=OFF \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
}

# The sanitizer tree compiles beside the main lane, in a process group of its own, so that
# stopping it stops its compilers too, and at a lower priority: the main lane's compile comes
# first, as its tests wait on it, and then its tests, which must answer the panel within its
# 100 ms tick, get the processor before this compile does (at the same priority, a reply came too
# late now and then). It compiles one more file at a time than there are cores, to take up
# whatever the main lane leaves. Its output is in build-asan/ and shown here only when it fails.
sanitizer_build() {
  nice -n 10 cmake --build build-asan -j$((jobs + 1)) --target model_tests files_tests link_tests \
    window_tests cli_tests >build-asan/build.log 2>&1 ||
    { tail -n 50 build-asan/build.log; echo "the sanitizer build failed"; return 1; }
}

start_sanitizer_build() {
  configure_sanitizer_lane
  set -m
  sanitizer_build &
  sanitizing=$!
  set +m
}

finish_sanitizer_build() {
  echo "Waiting for the sanitizer build (its output: build-asan/build.log)"
  wait "$sanitizing"
  sanitizing=
}

# After the main lane's tests, never beside them: both lanes' shards at once missed the panel's
# tick now and then. The shards mostly wait: three run at a time for every core (with four, a
# panel reply came too late once). LeakSanitizer stays on (ASan's default): Qt leaves nothing
# behind that it reports, so any leak it finds is ours. Its output is in build-asan/ctest.log and
# shown here only when it fails.
sanitizer_tests() {
  echo "Running the tests under the sanitizers (their output: build-asan/ctest.log)"
  ctest --test-dir build-asan -L layer --output-on-failure -j$((3 * jobs)) \
    >build-asan/ctest.log 2>&1 || { cat build-asan/ctest.log; return 1; }
}

# Stopping the script stops the lanes running beside it, their compilers and tests too.
stop_lanes() {
  local lane
  for lane in ${sanitizing:-} ${fuzzing:-}; do kill -- -"$lane" 2>/dev/null || true; done
}

# The program as scripts/build.sh builds it for a user, then the test programs in the same tree.
# The program's objects there are shared with the package's build through the compiler cache,
# so -Werror goes on the test programs alone (tests/CMakeLists.txt); the sanitizer tree compiles
# the program's code with it.
main_build() {
  scripts/build.sh
  cmake -S . -B build -DKVT_TEST_SHARDS=$shards >/dev/null
  cmake --build build -j"$jobs"
}

# The shards mostly wait on the panel's ticks, and the package test takes a while: three run at
# a time for every core.
main_tests() {
  ctest --test-dir build --output-on-failure -j$((3 * jobs)) | tee build/ctest.log
}

# The fuzzer runs for a fixed time beside the tests, which mostly wait, at a lower priority: the
# tests' panel replies come first. In a process group of its own, like the sanitizer lane.
fuzz_lane() {
  nice -n 10 scripts/fuzz.sh >build/fuzz.txt 2>&1 || { cat build/fuzz.txt; return 1; }
}

start_fuzz_lane() {
  set -m
  fuzz_lane &
  fuzzing=$!
  set +m
}

finish_fuzz_lane() {
  wait "$fuzzing"
}

# CTest keeps every shard's output; GoogleTest ends each with "[  PASSED  ] N tests." and, when
# some skipped (a case that needs root, run by another user), "[  SKIPPED ] M tests, listed
# below:". Prints the cases a tree's shards passed or skipped.
cases_run() {
  awk '/^\[  (PASSED  |SKIPPED )\] [0-9]+ tests?[.,]/ {n += $4} END {print n + 0}' \
    "$1/Testing/Temporary/LastTest.log"
}

# The cases the layers' test programs hold, as they list them.
cases_listed() {
  local program listed total=0
  for program in build/tests/*/*_tests; do
    listed=$(QT_QPA_PLATFORM=offscreen "$program" --gtest_list_tests 2>/dev/null | grep -c '^  ')
    total=$((total + listed))
  done
  echo "$total"
}

# Each lane's shards together must have run every case the programs hold: a shard that
# silently ran none would otherwise pass.
check_cases() {
  listed_cases=$(cases_listed)
  main_cases=$(cases_run build)
  sanitized_cases=$(cases_run build-asan)
  if ((main_cases != listed_cases || sanitized_cases != listed_cases)); then
    echo "the test programs hold $listed_cases cases; the main run passed or skipped" \
      "$main_cases, the sanitizer run $sanitized_cases"
    return 1
  fi
}

summary() {
  echo
  echo "Summary"
  echo "  All tests:            $(grep -E 'tests passed' build/ctest.log)" \
    "($shards shards of each layer's program, $main_cases cases)"
  echo "  Under the sanitizers: $(grep -E 'tests passed' build-asan/ctest.log)" \
    "($shards shards of each program, $sanitized_cases cases)"
  echo "  $(tail -n 1 build/fuzz.txt)"
}

# The sanitizer tree compiles from the start, beside the main lane's compile and then its tests,
# which mostly wait; the fuzzer runs beside the main lane's tests too. The sanitized tests run
# last, on their own.
trap stop_lanes EXIT
setup
start_sanitizer_build
main_build
test_programs_ready
start_fuzz_lane
main_tests
finish_sanitizer_build
sanitizer_tests
finish_fuzz_lane
check_cases
summary
