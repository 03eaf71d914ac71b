#!/usr/bin/env bash
# Builds Curvix and runs the showcase script on a new drawing: out/showcase.dxf and out/showcase.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCURVIX_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
mkdir -p out
export CURVIX_REGISTRY="$PWD/out/registry.reg"
rm -f "$CURVIX_REGISTRY"  # the showcase runs as a first-time user: no dialog settings from an earlier run
"$build/curvix" --load "$build/Curvix_2012X64.arx" --script examples/showcase.scr \
  -o out/showcase.dxf --png out/showcase.png --size 1600x1200
echo "Wrote out/showcase.dxf and out/showcase.png"
