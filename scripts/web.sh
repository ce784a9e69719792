#!/usr/bin/env bash
# Builds the browser edition, dist/web/tessaroven.html (web/, docs/web.md), on the WebAssembly core in
# build/wasm (scripts/wasm.sh builds it when missing). `scripts/web.sh test` then runs the page's tests in
# Debian's headless Chromium and Firefox ESR against the native converter.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v npm > /dev/null || need+=(npm)
if [ "${1:-}" = test ]; then
    [ -x /usr/bin/chromium ] || need+=(chromium)
    [ -x /usr/bin/firefox-esr ] || need+=(firefox-esr)
    command -v pdfinfo > /dev/null || need+=(poppler-utils)  # the printed report's page count
fi
if [ ${#need[@]} -gt 0 ]; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${need[@]}"
fi

[ -f build/wasm/src/wasm/tessaroven-core.mjs ] || scripts/wasm.sh
# Brought up to date when it is there already.
export NODE_PATH=/usr/share/nodejs
cmake --build build/wasm --target tessaroven-core -j "$(nproc)"

# The browsers are Debian's; no package may fetch one of its own.
export PUPPETEER_SKIP_DOWNLOAD=1
(cd web && npm ci --no-audit --no-fund && npx tsc --noEmit -p . && node build.mjs ../build/wasm ../dist/web/tessaroven.html)

if [ "${1:-}" = test ]; then
    native=build/dev/src/cli/tessaroven-convert
    if [ ! -x "$native" ]; then
        cmake --preset dev
        cmake --build --preset dev --target tessaroven-convert -j "$(nproc)"
    fi
    timeout 300 node web/tests/page_test.mjs dist/web/tessaroven.html "$native"
fi
