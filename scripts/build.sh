#!/usr/bin/env bash
# Builds one configuration: normal (default), asan, or fuzz.
#   scripts/build.sh [normal|asan|fuzz]
# Build trees: build/normal, build/asan, build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-normal}
case "$config" in
  normal) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=Debug -DSORVANE_SANITIZE=ON -DSORVANE_BUILD_BENCH=OFF
        -DSORVANE_BUILD_TOOLS=OFF) ;;
  fuzz) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVANE_FUZZ=ON
              -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown configuration: $config" >&2; exit 2 ;;
esac
cmake -S . -B "build/$config" -G Ninja "${args[@]}" >/dev/null
cmake --build "build/$config" -j "$(nproc)"
