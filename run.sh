#!/usr/bin/env bash
# Installs missing build packages, builds Kestrel and starts it on the simulated board; the
# arguments are passed on to kestrel (./run.sh --maintenance, ./run.sh --help).
# kestrel.cfg is read and written in the directory this script is called from.
set -euo pipefail
here="$(pwd)"
src="$(cd "$(dirname "$0")" && pwd)"
cd "$src"
. scripts/build-deps.sh

ensure_build_packages
cmake --preset default >/dev/null
cmake --build --preset default

cd "$here"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: starting offscreen (use xvfb-run or a desktop session to see the window)."
    export QT_QPA_PLATFORM=offscreen
fi
exec "$src/build/kestrel" "$@"
