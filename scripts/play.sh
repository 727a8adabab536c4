#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev fonts-wine qt6-wayland
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target krestiki-noliki
exec build/bin/krestiki-noliki
