// The first lines of tessaroven-convert.mjs (--extern-pre-js): emscripten's code for node reaches its files
// through require() and __dirname, which an ES module does not have; they are made here from the module's
// own address.
import { createRequire } from 'module';
import { dirname } from 'path';
import { fileURLToPath } from 'url';
const require = createRequire(import.meta.url);
const __filename = fileURLToPath(import.meta.url);
const __dirname = dirname(__filename);
