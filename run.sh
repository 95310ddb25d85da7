#!/usr/bin/env bash
# Installs missing build packages, builds Kestrel and starts it on the simulated board; the
# arguments are passed on to kestrel (./run.sh --maintenance, ./run.sh --help).
# kestrel.cfg is read and written in the directory this script is called from.
set -euo pipefail
here="$(pwd)"
src="$(cd "$(dirname "$0")" && pwd)"
cd "$src"
. scripts/build-deps.sh

# What the script itself says goes to the standard error: kestrel's own output (--version,
# --help) stays alone on the standard output.
ensure_build_packages >&2
cmake --preset default >/dev/null
# The build speaks only when there is something to build.
plan="$(cmake --build --preset default -- -n 2>&1 || true)"
case "$plan" in
*"no work to do"*) ;;
*) cmake --build --preset default >&2 ;;
esac

cd "$here"
starts_window=1
for arg in "$@"; do
    case "$arg" in --help | -h | --version) starts_window=0 ;; esac
done
if [ "$starts_window" = 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] &&
    [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: starting offscreen (use xvfb-run or a desktop session to see the window)." >&2
    export QT_QPA_PLATFORM=offscreen
fi
exec "$src/build/kestrel" "$@"
