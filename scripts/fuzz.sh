#!/usr/bin/env bash
# Builds the configuration record reader fuzzer with clang into ./build-fuzz and runs it for a
# fixed time, starting from the committed seed records. New inputs it finds stay in
# build-fuzz/corpus. The fuzzer's own output goes to build-fuzz/fuzz.log and is shown only when
# it fails; a crash or a failed check stops it, and this script, with a non-zero status. The
# last line printed sums the run up.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh --fuzz
source scripts/build_tool.sh
cmake -S tests/files/fuzz -B build-fuzz -DKVT_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-fuzz -j2
mkdir -p build-fuzz/corpus
log=build-fuzz/fuzz.log
corpus_size() { find build-fuzz/corpus -type f | wc -l; }
before=$(corpus_size)
if ! build-fuzz/record_reader_fuzz -max_total_time=30 -artifact_prefix=build-fuzz/ \
  build-fuzz/corpus tests/files/fuzz/corpus >"$log" 2>&1; then
  cat "$log"
  echo "Fuzzer: FAILED (output above, also in $log; the input that failed is in build-fuzz/)" >&2
  exit 1
fi
# libFuzzer ends a clean run with "Done <runs> runs in <seconds> second(s)".
done_line=$(grep -m1 -E '^Done [0-9]+ runs in [0-9]+ second' "$log") || {
  cat "$log"
  echo "Fuzzer: no 'Done' line in $log" >&2
  exit 1
}
read -r _ runs _ _ seconds _ <<<"$done_line"
after=$(corpus_size)
echo "Fuzzer: $runs runs in $seconds s, no crashes or failed checks;" \
  "corpus $after inputs ($((after - before)) new), log $log"
