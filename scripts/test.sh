#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test through CTest (the main lane);
# builds the test programs of the layers again under AddressSanitizer and
# UndefinedBehaviorSanitizer (in ./build-asan) and runs them (the sanitizer lane, beside the main
# one); fuzzes the configuration record reader for a fixed time (the fuzz lane). Ends with one
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

# The sanitizer lane compiles beside the main lane and tests beside it, in a process group of its
# own, so that stopping it stops its compilers and tests too. Its output is in build-asan/ and
# shown here only when it fails. It compiles one more file at a time than there are cores, to
# take up whatever the main lane's compile leaves.
sanitizer_build() {
  cmake --build build-asan -j$((jobs + 1)) --target model_tests files_tests link_tests \
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
  wait "$sanitizing"
}

# The shards mostly wait: three run at a time for every core (with four, a panel reply in the
# main lane's tests came too late once). LeakSanitizer stays on (ASan's default): Qt leaves
# nothing behind that it reports, so any leak it finds is ours.
sanitizer_tests() {
  ctest --test-dir build-asan -L layer --output-on-failure -j$((3 * jobs)) \
    >build-asan/ctest.log 2>&1 || { cat build-asan/ctest.log; return 1; }
}

start_sanitizer_tests() {
  set -m
  sanitizer_tests &
  sanitizing=$!
  set +m
}

finish_sanitizer_tests() {
  echo "Waiting for the sanitizer run (its output: build-asan/build.log, build-asan/ctest.log)"
  wait "$sanitizing"
}

# Stopping the script stops the lanes running beside it, their compilers and tests too.
stop_lanes() {
  local lane
  for lane in ${sanitizing:-} ${fuzzing:-}; do kill -- -"$lane" 2>/dev/null || true; done
}

# The program as scripts/build.sh builds it for a user, then the test programs in the same tree.
# The program's objects there are shared with the package's build through the compiler cache,
# so -Werror goes on the test programs alone (tests/CMakeLists.txt); the sanitizer tree compiles
# the program's code with it. The package is built here too, among the compiles, as
# scripts/package.sh builds it for a user: the package test, which runs the README's commands,
# then finds it built instead of building it beside the other tests, where it came last.
main_build() {
  scripts/build.sh
  scripts/package.sh >/dev/null
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

# Both trees compile side by side, then both lanes test side by side, with the fuzzer: no test
# waits for the panel's 100 ms tick while a compiler takes the processor (a reply then came too
# late now and then), and the lanes' tests, which mostly wait, overlap each other.
trap stop_lanes EXIT
setup
start_sanitizer_build
main_build
finish_sanitizer_build
test_programs_ready
start_fuzz_lane
start_sanitizer_tests
main_tests
finish_fuzz_lane
finish_sanitizer_tests
check_cases
summary
