#!/bin/sh
# Builds Zelvora and starts it on the default databases in build/bin.
set -e
cd "$(dirname "$0")/.."
sh scripts/setup.sh
cd build/bin
exec ./Zelvora "$@"
