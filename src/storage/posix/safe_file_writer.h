// Writing a file so that it is either wholly replaced or left as it was. Normally the bytes go into a
// temporary file in the target folder, which is flushed to disk, closed and then renamed over the target. On
// Linux the temporary file has no name until it is complete (O_TMPFILE, then a link to a fresh name for the
// rename), where the file system allows; elsewhere it is named ".tessaroven-XXXXXX" from the start. Either
// way it is locked (flock) from its creation to its rename, and each save removes the user's temporary files
// in its folder that nobody holds locked: those a killed save left behind. After the rename the folder is
// flushed too, so that the new name survives a power failure.
//
// An existing file is written in place instead when the rename would do harm or cannot be done: when it has
// more than one hard link (the others would keep the old contents), when it belongs to another user (it would
// change owner), or when the folder refuses new files while the file itself may be written. That path, with
// its durable copy of the old contents and its lock, is described in storage/posix/in_place_write.h.
//
// Targets that are no regular file: a character device or a pipe (/dev/null, /dev/stdout, a named pipe) is
// written straight, without temporary file or rename; a folder, a socket and a block device are refused. A
// name for one of the program's own open descriptors (/dev/stdout, /dev/fd/N, /proc/self/fd/N) that is a
// regular file is written through that descriptor, so that a shell's `>>` keeps what the file held. A
// symbolic link is followed to the file it points to, except one in a folder everyone may write to and with
// the sticky bit that belongs to neither the writer nor the folder's owner; a link that leads nowhere or
// round in a loop is refused.
#pragma once

#include <sys/types.h>

#include "storage/storage.h"

namespace tessaroven {

// The file-system calls the POSIX writer makes (SystemFileSystem() gives the real ones). Tests substitute
// failing ones to check every failure path.
struct FileSystemOps {
    // Creates and opens the temporary file in the folder pathTemplate (ending in XXXXXX) names and returns
    // its descriptor: a file without a name (no link) where the file system allows, else as mkstemp does.
    int (*makeTemp)(char* pathTemplate);
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
    // Creates and opens a new file for writing (the copy of the old contents); fails with EEXIST when the
    // name exists, even as a link.
    int (*createNew)(const char* path, mode_t mode);
    // The rename path: gives a temporary file without a name the name path; fails with EEXIST when it is
    // taken.
    int (*link)(int fd, const char* path);
};

}  // namespace tessaroven
