#!/usr/bin/env bash
# Installs missing build packages, builds Kestrel and runs every test.
# Usage: ./test.sh [--sanitize] [extra ctest arguments]
set -euo pipefail
cd "$(dirname "$0")"
. scripts/build-deps.sh

preset=default
if [ "${1:-}" = "--sanitize" ]; then
    preset=sanitize
    shift
fi

ensure_build_packages
cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset" -j2 "$@"
