#!/usr/bin/env bash
# Installs what is missing, builds Tessaroven (Debug, warnings as errors) and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev -j "$(nproc)"
ctest --preset dev -j "$(nproc)"
