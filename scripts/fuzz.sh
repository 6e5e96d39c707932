#!/usr/bin/env bash
# Builds the configuration record reader fuzzer with clang into ./build-fuzz and runs it for a
# fixed time, starting from the committed seed records. New inputs it finds stay in
# build-fuzz/corpus; a crash or a failed check stops it with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh --fuzz
cmake -S tests/files/fuzz -B build-fuzz -DKVT_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j2
mkdir -p build-fuzz/corpus
build-fuzz/record_reader_fuzz -max_total_time=30 -artifact_prefix=build-fuzz/ \
  build-fuzz/corpus tests/files/fuzz/corpus
