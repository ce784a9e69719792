// The converter under node: files through node's own fs module, called from the WebAssembly module, and the
// standard streams as raw bytes (emscripten's console streams would decode the code page 932 result as
// UTF-8). Files are replaced by a complete temporary file renamed over them, as the POSIX writer does where
// it can, and a name for one of the process's own descriptors that is a regular file (/dev/stdout, /dev/fd/N)
// is written through that descriptor. Node offers no locks or links without names, so the POSIX writer's
// in-place path is not here.
#pragma once

#include <iosfwd>
#include <memory>

#include "storage/storage.h"

namespace tessaroven {

// The writer's calls are node's; there is nothing to substitute.
struct FileSystemOps {};

// Streams over the process's standard input, output and error (descriptors 0, 1 and 2).
std::unique_ptr<std::istream> NodeStandardInput();
std::unique_ptr<std::ostream> NodeStandardOutput(int descriptor);

}  // namespace tessaroven
