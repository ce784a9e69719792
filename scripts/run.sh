#!/usr/bin/env bash
# Installs what is missing, builds Tessaroven (optimised) and starts the desktop program.
# Without a display it says so and shows the command-line converter on the example readings instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: the desktop program needs one. The command-line converter works without it:" >&2
    echo "  build/release/src/cli/tessaroven-convert --list < examples/readings-5.txt" >&2
    exec build/release/src/cli/tessaroven-convert --list < examples/readings-5.txt
fi
exec build/release/src/tessaroven "$@"
