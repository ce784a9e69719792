// Reading a whole file of outside data, with an upper bound on its size.
#pragma once

#include <cstddef>
#include <string>

namespace tessaroven {

struct FileBytes {
    std::string bytes;
    std::string error;      // the system's reason when the file could not be read; empty when it was
    bool tooLarge = false;  // the file is larger than the limit (bytes then holds only its start)
    bool ok() const { return error.empty() && !tooLarge; }
};

// Reads the file at path. Reading stops one buffer beyond limit, so a huge file (or an endless device) is
// never held in memory.
FileBytes ReadWholeFile(const std::string& path, std::size_t limit);

}  // namespace tessaroven
