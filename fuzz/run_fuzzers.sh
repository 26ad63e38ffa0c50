#!/bin/sh
# Runs every picture-decoding fuzz target for a while over the seed corpus
# and fails on any finding.
#
#   fuzz/run_fuzzers.sh <fuzz-build-dir> <seconds-each>
#
# The build dir is one configured with CC=clang CXX=clang++ -DSORVANE_FUZZ=ON
# and built (cmake --build <dir>). Seeds are made with PIL into
# <fuzz-build-dir>/fuzz-seeds; each run works on its own copy of them under
# <fuzz-build-dir>/fuzz-runs, and a finding is left there as crash-*, leak-*,
# timeout-* or oom-* next to the target's log.
set -eu

if [ $# -ne 2 ]; then
  echo "usage: $0 <fuzz-build-dir> <seconds-each>" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3

seeds=$build/fuzz-seeds
if [ ! -d "$seeds/files" ] || [ "$here/make_seeds.py" -nt "$seeds/files" ]; then
  rm -rf "$seeds"
  "$python" "$here/make_seeds.py" "$seeds"
fi

status=0
for target in load_picture decode_object_picture picture_region; do
  program=$build/fuzz/fuzz_$target
  if [ ! -x "$program" ]; then
    echo "missing $program (build the fuzz directory first)" >&2
    exit 2
  fi
  case $target in
    picture_region) seed_dir=$seeds/region ;;
    *) seed_dir=$seeds/files ;;
  esac
  work=$build/fuzz-runs/$target
  rm -rf "$work"
  mkdir -p "$work/corpus"
  cp "$seed_dir"/* "$work/corpus/"
  echo "fuzz_$target: ${seconds}s"
  if "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
       -dict="$here/picture.dict" -artifact_prefix="$work/" -print_final_stats=1 \
       "$work/corpus" > "$work/log.txt" 2>&1; then
    grep -E "stat::number_of_executed_units" "$work/log.txt" || true
  else
    echo "fuzz_$target: FINDING, see $work/log.txt" >&2
    tail -n 40 "$work/log.txt" >&2
    status=1
  fi
done
exit $status
