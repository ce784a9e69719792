// The two WebAssembly modules as esbuild inlines them (build.mjs maps these names to build/wasm).
declare module 'tessaroven-core' {
    const create: () => Promise<unknown>;
    export default create;
}
declare module 'tessaroven-page-api' {
    const create: () => Promise<unknown>;
    export default create;
}
