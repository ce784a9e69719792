// Writing a file so that it is either wholly replaced or left as it was: the bytes go into a temporary file
// in the target folder, which is flushed to disk, closed and then renamed over the target.
#pragma once

#include <sys/types.h>
#include <string>
#include <string_view>

#include "messages/outcome.h"

namespace tessaroven {

// The file-system calls the writer makes. Tests substitute failing ones to check every failure path.
struct FileSystemOps {
    int (*makeTemp)(
        char* pathTemplate);  // like mkstemp: creates and opens a unique file, returns its descriptor
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fchmod)(int fd, mode_t mode);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);
};

// The real calls.
const FileSystemOps& PosixFileSystem();

// Replaces (or creates) the file at path with bytes; through a symbolic link, the file it points to. A file
// that its permissions protect from writing is refused. On failure the message names the file and gives the
// system's error text; any old file is untouched and no temporary file is left behind.
MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes,
                             const FileSystemOps& ops = PosixFileSystem());

}  // namespace tessaroven
