#!/bin/sh
# Checks the formatting, builds Zelvora and runs every test headless; ends
# with CTest's summary.
#
# With --sanitize it builds everything under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-sanitize/ instead and runs the tests
# there: the first report of either, a leak included, fails the run.
set -e
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitize" ]; then
  sh scripts/setup.sh --no-build
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVORA_SANITIZE=ON
  cmake --build build-sanitize --parallel
  cd build-sanitize
else
  sh scripts/setup.sh clang-format
  sh scripts/check-format.sh
  cd build
fi
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
