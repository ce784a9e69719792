// Builds dist/web/tessaroven.html: the page's script (with the WebAssembly core, which emscripten
// already holds as base64 inside them), its styles and its version in one file that opens from file://.
// Usage: node build.mjs WASM_BUILD_DIR OUTPUT_HTML
import { readFileSync, writeFileSync, mkdirSync } from 'node:fs';
import { dirname, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import * as esbuild from 'esbuild';

const here = dirname(fileURLToPath(import.meta.url));
const [wasmDir = resolve(here, '../build/wasm'), output = resolve(here, '../dist/web/tessaroven.html')] =
    process.argv.slice(2);

const version = /project\(Tessaroven VERSION ([0-9.]+)/.exec(readFileSync(resolve(here, '../CMakeLists.txt'), 'utf8'));
if (!version) {
    throw new Error('no project VERSION in CMakeLists.txt');
}

const bundle = await esbuild.build({
    entryPoints: [resolve(here, 'src/main.ts')],
    bundle: true,
    write: false,
    format: 'iife',
    minify: true,
    legalComments: 'none',
    // The oldest browsers the page promises; hospital PCs are often held at them.
    target: ['chrome109', 'edge109', 'firefox115'],
    alias: {
        'tessaroven-core': resolve(wasmDir, 'src/wasm/tessaroven-core.mjs'),
    },
    // Emscripten's modules ask for their own address, which a page with everything inline does not need.
    define: { 'import.meta.url': '""' },
    logLevel: 'warning',
});

// Inside the inline script, "</script" would end it early; only strings can hold it.
const script = bundle.outputFiles[0].text.replaceAll('</script', '<\\/script');
const style = readFileSync(resolve(here, 'src/page.css'), 'utf8');
const page = readFileSync(resolve(here, 'src/page.html'), 'utf8')
    .replace('/*STYLE*/', () => style)
    .replace('/*VERSION*/', () => version[1])
    .replace('/*SCRIPT*/', () => script);
mkdirSync(dirname(output), { recursive: true });
writeFileSync(output, page);
console.log(`${output}: ${Buffer.byteLength(page)} bytes`);
