# Link settings of the WebAssembly programs: each is one .mjs file with its WebAssembly inside (SINGLE_FILE),
# so that node runs it without a second file and the browser edition can embed it in its page. Emscripten
# 3.1.6's own start-up for node tries fetch() on the .wasm file's path and needs require() and __dirname,
# which node's ES modules lack: one file with nothing to fetch, and a first few lines that provide the two
# (EXTERN_PRE_JS), avoid both, so `node FILE.mjs` runs with no flags. An .mjs file is always a module
# (MODULARIZE, EXPORT_ES6) whose factory the page or a last line (EXTERN_POST_JS) calls.
include_guard(GLOBAL)

function(tessaroven_wasm_program target)
    cmake_parse_arguments(PARSE_ARGV 1 program "NODE" "EXPORT_NAME" "PRE_JS;POST_JS;EXTERN_PRE_JS;EXTERN_POST_JS")
    set_target_properties(${target} PROPERTIES SUFFIX ".mjs")
    target_link_options(${target} PRIVATE -sSINGLE_FILE=1 -sALLOW_MEMORY_GROWTH=1 -sFILESYSTEM=0)
    if(program_NODE)
        target_link_options(${target} PRIVATE -sENVIRONMENT=node -sEXIT_RUNTIME=1)
    else()
        # A module for the page (and for node, which runs the page's kind of code too).
        target_link_options(${target} PRIVATE -sENVIRONMENT=web -sEXPORT_NAME=${program_EXPORT_NAME}
                            "-sEXPORTED_FUNCTIONS=_malloc,_free"
                            "-sEXPORTED_RUNTIME_METHODS=ccall,UTF8ToString")
    endif()
    foreach(kind PRE_JS POST_JS EXTERN_PRE_JS EXTERN_POST_JS)
        string(TOLOWER ${kind} option)
        string(REPLACE "_" "-" option ${option})
        foreach(file IN LISTS program_${kind})
            target_link_options(${target} PRIVATE "SHELL:--${option} ${file}")
            set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${file})
        endforeach()
    endforeach()
endfunction()
