#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Usage: scripts/run-tests.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build_dir=${1:-build}
shift || true

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" -j "$(nproc)"
ctest --test-dir "$build_dir" --no-tests=error --output-on-failure -j "$(nproc)"
