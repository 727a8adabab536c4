#!/usr/bin/env bash
# Builds the game with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev fonts-wine \
  xvfb xauth xdotool x11-utils imagemagick desktop-file-utils appstream
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKN_WERROR=ON >/dev/null
cmake --build build
cd build && ctest --output-on-failure -j2
