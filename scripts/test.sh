#!/usr/bin/env bash
# Builds the game with warnings as errors and runs every test twice: first under AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer, then in the release build, whose summary ends the output.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev fonts-wine \
  libxcb1-dev qt6-wayland xvfb xauth xdotool x11-utils imagemagick desktop-file-utils appstream dbus at-spi2-core \
  python3-pyatspi openbox wmctrl sway grim xwayland jq build-essential dpkg-dev debhelper lintian git adwaita-qt6 \
  orca speech-dispatcher speech-dispatcher-espeak-ng

# How long the screen reader took to come up, the slowest start the tests wait for.
orca_started() { grep -h -e '^a11y: Orca on the accessibility bus' -e '^a11y: speech-dispatcher listening' Testing/Temporary/LastTest.log || true; }

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKN_SANITIZE=ON -DKN_WERROR=ON >/dev/null
cmake --build build-asan
(
  cd build-asan
  export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
  export LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ctest --output-on-failure -j2
  orca_started
)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKN_WERROR=ON >/dev/null
cmake --build build
cd build && ctest --output-on-failure -j2
orca_started
