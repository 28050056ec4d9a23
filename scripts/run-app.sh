#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it in the bundled examples folder.
# Only the programs are built here, so that the tests never stand between a user and the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# Without the tests and benchmarks, whose frameworks only the test command installs.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIRAL_BUILD_TESTS=OFF -DQUIRAL_BUILD_BENCH=OFF
targets=(quiral-cli)
# (The list is taken first: under pipefail, `cmake ... | grep -q` can fail when grep exits early.)
available=$(cmake --build build --target help)
if grep -q '^quiral: ' <<<"$available"; then
  targets+=(quiral)
fi
cmake --build build -j "$(nproc)" --target "${targets[@]}"
cd examples
if [[ -x ../build/app/quiral ]]; then
  # Without an argument the window opens examples/ itself, not the system's KiCad libraries.
  if [[ $# -eq 0 ]]; then set -- .; fi
  exec ../build/app/quiral "$@"
else
  exec ../build/tools/quiral-cli list 74xx_gates.lib
fi
