// The JavaScript API of tessaroven-core.mjs (--post-js, so it runs inside the module and sees its helpers);
// docs/wasm.md describes it. Texts are JavaScript strings (UTF-8 inside), bytes are Uint8Arrays.
function tessaroven_bytes(value) {
    return typeof value === 'string' ? new TextEncoder().encode(value) : value;
}

function tessaroven_with_bytes(bytes, use) {
    var at = _malloc(Math.max(bytes.length, 1));
    HEAPU8.set(bytes, at);
    try {
        return use(at, bytes.length);
    } finally {
        _free(at);
    }
}

// Puts a file (string or Uint8Array) into the memory files under name.
Module['putFile'] = function(name, contents) {
    tessaroven_with_bytes(tessaroven_bytes(contents), function(at, size) {
        ccall('tessaroven_put_file', null, ['string', 'number', 'number'], [name, at, size]);
    });
};

// The bytes of the memory file name (a copy), or null.
Module['readFile'] = function(name) {
    var size = ccall('tessaroven_file_size', 'number', ['string'], [name]);
    if (size < 0) {
        return null;
    }
    var at = ccall('tessaroven_file_data', 'number', ['string'], [name]);
    return HEAPU8.slice(at, at + size);
};

Module['fileNames'] = function() {
    return JSON.parse(UTF8ToString(_tessaroven_file_names()));
};

Module['removeFiles'] = function() {
    _tessaroven_remove_files();
};

// Runs the converter as `tessaroven-convert ...args` on the memory files: the files named by the options are
// read from and written to them. input: standard input (string or Uint8Array). Returns {status, output
// (Uint8Array, standard output), messages (string, standard error)}.
Module['run'] = function(args, input) {
    var status = tessaroven_with_bytes(tessaroven_bytes(input || ''), function(at, size) {
        return ccall('tessaroven_run', 'number', ['string', 'number', 'number'], [JSON.stringify(args), at, size]);
    });
    var output = _tessaroven_output_data();
    return {
        status: status,
        output: HEAPU8.slice(output, output + _tessaroven_output_size()),
        messages: UTF8ToString(_tessaroven_messages()),
    };
};

// One conversion of a measurement file's text; options: lang ("ja"/"en"), model ("compatible"/"isotropic"),
// spectrum (a spectrum file's text), centreAlMm. Returns the parsed answer (docs/wasm.md).
Module['convert'] = function(measurementText, options) {
    var request = Object.assign({}, options || {}, {measurement: measurementText});
    return JSON.parse(ccall('tessaroven_convert', 'string', ['string'], [JSON.stringify(request)]));
};

// Microseconds per conversion of the measurement (the conversion step alone, no uncertainties, no JSON),
// averaged over repeats runs inside the module; options.model as for convert. -1 when refused.
Module['timeConversion'] = function(measurementText, options, repeats) {
    var request = Object.assign({}, options || {}, {measurement: measurementText});
    return ccall('tessaroven_time_conversion', 'number', ['string', 'number'], [JSON.stringify(request), repeats]);
};

// One request of the browser edition's page (src/wasm/page_api.cpp, page_inputs.cpp and page_views.cpp list
// them): {what, lang, ...}; the parsed answer, {ok: false, message} when refused.
Module['pageRequest'] = function(request) {
    return JSON.parse(ccall('tessaroven_page_request', 'string', ['string'], [JSON.stringify(request)]));
};
