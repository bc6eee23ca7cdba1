#!/bin/sh
# Checks the formatting, builds Zelvora and runs every test headless; ends
# with CTest's summary.
set -e
cd "$(dirname "$0")/.."
sh scripts/setup.sh clang-format
sh scripts/check-format.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
