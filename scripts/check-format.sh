#!/bin/sh
# Fails when a C++ source differs from the project's .clang-format.
set -e
cd "$(dirname "$0")/.."
find app bench calc core crop data advice grower output platform search shell tests \
    -name '*.cpp' -o -name '*.h' 2>/dev/null | sort | xargs clang-format --dry-run -Werror
