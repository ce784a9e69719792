// Writing a file so that it is either wholly replaced or left as it was. Normally the bytes go into a
// temporary file in the target folder, which is flushed to disk, closed and then renamed over the target.
// An existing file is written in place instead when the rename would do harm or cannot be done: when it has
// more than one hard link (the others would keep the old contents), when it belongs to another user (it would
// change owner), or when the folder refuses new files while the file itself may be written. The in-place
// path keeps the old contents in memory, overwrites from the start, truncates only after the last byte,
// flushes, and puts the old bytes back on any failure.
//
// Targets that are no regular file: a character device or a pipe (/dev/null, /dev/stdout, a named pipe) is
// written straight, without temporary file or rename; a folder, a socket and a block device are refused. A
// symbolic link is followed to the file it points to, except one in a folder everyone may write to and with
// the sticky bit that belongs to neither the writer nor the folder's owner; a link that leads nowhere or
// round in a loop is refused.
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
    // The in-place path.
    int (*openExisting)(const char* path);  // opens an existing file for reading and writing, no truncation
    ssize_t (*pread)(int fd, void* data, size_t size, off_t offset);
    ssize_t (*pwrite)(int fd, const void* data, size_t size, off_t offset);
    int (*ftruncate)(int fd, off_t length);
};

// The real calls.
const FileSystemOps& PosixFileSystem();

// Replaces (or creates) the file at path with bytes; through a symbolic link, the file it points to. A file
// that its permissions protect from writing is refused, and so is a target of the kinds above. On failure the
// message names the file and gives the system's error text; any old file keeps its contents and no temporary
// file is left behind.
MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes,
                             const FileSystemOps& ops = PosixFileSystem());

}  // namespace tessaroven
