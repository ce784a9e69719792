// The browser's files: a map from a file's name to its bytes, which the page fills before a run and reads
// after it. Reading and writing are the storage seam's (storage/storage.h); nothing here reaches the system.
#pragma once

#include <cstddef>
#include <map>
#include <string>

namespace tessaroven {

// The writer never fails for a reason of the system, so there is nothing to substitute.
struct FileSystemOps {};

// The largest file a save keeps: far beyond any file of the program, and small enough that a page's memory
// is never used up by one.
inline constexpr std::size_t kLargestMemoryFile = 64 * 1024 * 1024;

// The files, by name as the page and the options give it ("result.csv", "out/table.csv"); a name is a folder
// when other names start with it and a "/".
std::map<std::string, std::string>& MemoryFiles();

}  // namespace tessaroven
