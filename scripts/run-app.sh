#!/usr/bin/env bash
# Installs what is missing, builds and starts the program in the bundled examples folder.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
cd examples
if [[ -x ../build/app/quiral ]]; then
  exec ../build/app/quiral "$@"
else
  exec ../build/tools/quiral-cli list 74xx_gates.lib
fi
