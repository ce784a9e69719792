// The WebAssembly core as esbuild inlines it (build.mjs maps its name to build/wasm).
declare module 'tessaroven-core' {
    const create: () => Promise<unknown>;
    export default create;
}
