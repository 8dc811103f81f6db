#!/usr/bin/env bash
# Installs what is missing, builds Navelo and starts it.
# Usage: ./run.sh [BDMV folder]   (without a folder it opens the sample disc)
set -euo pipefail
cd "$(dirname "$0")"

./tools/ensure-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNAVELO_TESTS=OFF -DNAVELO_BENCH=OFF >/dev/null
cmake --build build/release --target navelo navelo-cli

folder="${1:-}"
if [ -z "$folder" ] && [ -d samples/DEMO/BDMV ]; then folder="samples/DEMO/BDMV/"; fi

args=()
[ -n "$folder" ] && args=("$folder")

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Navelo in a virtual X server (Xvfb)."
  exec xvfb-run -a -s "-screen 0 1600x1000x24" build/release/src/ui/navelo "${args[@]}"
fi
exec build/release/src/ui/navelo "${args[@]}"
