#!/usr/bin/env bash
# Builds the WebAssembly core (tessaroven-core.mjs) and the converter for node (tessaroven-convert.mjs) into
# build/wasm with Debian's emscripten, then tests them under node against the native converter (built by
# scripts/test.sh into build/dev; built here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v emcc > /dev/null || need+=(emscripten)
command -v node > /dev/null || need+=(nodejs)
if [ ${#need[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi

native=build/dev/src/cli/tessaroven-convert
if [ ! -x "$native" ]; then
    cmake --preset dev
    cmake --build --preset dev --target tessaroven-convert -j "$(nproc)"
fi

# Debian's emscripten finds its own node modules (acorn, for the JavaScript optimiser) only here.
export NODE_PATH=/usr/share/nodejs
start=$(date +%s)
emcmake cmake -S . -B build/wasm -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSAROVEN_BUILD_GUI=OFF \
    -DTESSAROVEN_BUILD_BENCHMARKS=OFF -DBUILD_TESTING=OFF > build/wasm-configure.log
cmake --build build/wasm --target tessaroven-core tessaroven-convert -j "$(nproc)"
echo "WebAssembly build: $(($(date +%s) - start)) s"

node tests/wasm/wasm_test.mjs build/wasm "$native"
