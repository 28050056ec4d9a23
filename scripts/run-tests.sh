#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Usage: scripts/run-tests.sh [BUILD_DIR] [extra cmake arguments (-D...)...]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --tests
# The first argument is the build folder unless it is an option for CMake (-DX=Y).
build_dir=build
if (($#)) && [[ "$1" != -* ]]; then
  build_dir=$1
  shift
fi

# Tests and benchmarks on, also in a folder that the program's own start script configured.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUIRAL_BUILD_TESTS=ON -DQUIRAL_BUILD_BENCH=ON "$@"
cmake --build "$build_dir" -j "$(nproc)"
ctest --test-dir "$build_dir" --no-tests=error --output-on-failure -j "$(nproc)"
