// The Windows writer's look at its target, which CheckWriteTarget (storage/storage.h) also takes before any
// write.
#pragma once

#include <windows.h>

#include <string>

#include "messages/outcome.h"

namespace tessaroven {

struct WriteTarget {
    enum class Kind { Missing, File, Folder, Device, DanglingLink, LinkLoop, Unreachable };
    Kind kind = Kind::Unreachable;
    std::wstring file;  // the file a save replaces: through a link, the one it leads to
    DWORD error = 0;    // Unreachable: why
    bool readOnly = false;
    DWORD links = 1;
    DWORD attributes = 0;  // File: its attributes, which the file that replaces it takes over
};

// What path is to the writer, found out without writing, creating or locking anything.
WriteTarget LookAtTarget(const std::wstring& path);

// The message for a target the writer leaves alone, or nothing for one it writes (a file that may be
// written, a new file in an existing folder, a device). path is the name as the user gave it.
MaybeRefusal RefusalForTarget(const std::string& path, const WriteTarget& target);

}  // namespace tessaroven
