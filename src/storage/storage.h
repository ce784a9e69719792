// The one seam between the core and the operating system: reading a whole file of outside data with an upper
// bound on its size, and writing a file so that it is either wholly replaced or left as it was. Everything
// above works on bytes and never calls the system itself. Each system brings its own implementation of these
// declarations; the POSIX one is under storage/posix/ (safe_file_writer.h describes how it writes).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "messages/outcome.h"

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

// The system calls the writer makes, defined by each implementation; tests of an implementation substitute
// failing ones to reach every failure path. Callers above storage only pass them on.
struct FileSystemOps;

// The real calls.
const FileSystemOps& SystemFileSystem();

// Replaces (or creates) the file at path with bytes; through a symbolic link, the file it points to. A file
// that its permissions protect from writing is refused, and so is a target that is no file to write (a
// folder, a socket, a block device, a link that leads nowhere). On failure the message names the file and
// gives the reason in the chosen language (SystemErrorText for the system's error codes); any old file keeps
// its contents and no temporary file is left behind.
MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes,
                             const FileSystemOps& ops = SystemFileSystem());

// Puts back the old contents of the file at path (through a link, of the file it points to) when an in-place
// write of it was interrupted and left it torn, and removes what that write left. Readers call it before
// reading; the writer does so itself.
void SettleInterruptedWrite(const std::string& path);

// The refusal WriteFileSafely would give for path, found out without writing, creating or opening anything,
// so that a run with several outputs can refuse before the first of them is written: an empty name or one
// ending in '/', a folder, a socket or a block device, a symbolic link in a sticky folder everyone may write
// to that belongs to neither the writer nor the folder's owner, a link that leads nowhere or round in a loop,
// a folder that does not exist, a file its permissions protect, and a new file in a folder that takes none.
// A character device or a pipe passes. What the disk says only when written to (full, failing) is not
// foreseen. The message is the writer's: the file's name and the reason.
MaybeRefusal CheckWriteTarget(const std::string& path);

// Whether two names lead to the same file: the same existing regular file (through links, hard links and
// other spellings), or, for names not yet there, the same name in the same folder. Devices and pipes never
// count as the same, as writing one twice is what the user asked for.
bool SameWriteTarget(const std::string& first, const std::string& second);

}  // namespace tessaroven
