// The last line of tessaroven-convert.mjs (--extern-post-js): emscripten gives an .mjs file as a module that
// only defines its start; the converter starts when the file is run.
Module();
