#!/usr/bin/env bash
# Installs what is missing, builds the normal, sanitizer and fuzzing
# configurations, and runs every test: the unit and end-to-end tests of the
# normal and the sanitizer build, then a short run of each fuzz target.
# Ends with one summary line: "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
fuzz_seconds=${SORVANE_FUZZ_SECONDS:-60}

scripts/install-deps.sh || exit 1
for config in normal asan fuzz; do
  echo "== building: $config"
  scripts/build.sh "$config" || { echo "0 passed, 1 failed"; exit 1; }
done

passed=0
failed=0
count() {  # reads ctest's "N% tests passed, F tests failed out of T"
  local line
  line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$1" | tail -n 1)
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  local f t
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + t - f))
  failed=$((failed + f))
}

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for config in normal asan; do
  echo "== tests: $config"
  ctest --test-dir "build/$config" --output-on-failure -j 2 2>&1 | tee "build/$config/ctest.log"
  count "build/$config/ctest.log"
done

echo "== fuzzing: ${fuzz_seconds} s a target"
if fuzz/run_fuzzers.sh build/fuzz "$fuzz_seconds"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
