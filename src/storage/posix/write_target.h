// Whether the safe writer would take a name as its target, found out without writing, creating or opening
// anything, so that a run with several outputs can refuse before the first of them is written.
#pragma once

#include <string>

#include "messages/outcome.h"

namespace tessaroven {

// The refusal the writer would give for path, as far as it can be known before writing: an empty name or one
// ending in '/', a folder, a socket or a block device, a symbolic link in a sticky folder everyone may write
// to that belongs to neither the writer nor the folder's owner, a link that leads nowhere or round in a loop,
// a folder that does not exist, a file its permissions protect, and a new file in a folder that takes none.
// A character device or a pipe passes. What the disk says only when written to (full, failing) is not
// foreseen. The message is the writer's: the file's name and the reason.
MaybeRefusal CheckWriteTarget(const std::string& path);

// Follows the chain of symbolic links from path one link at a time, as the kernel's protected_symlinks rule
// does but whatever the system's setting: in a folder that everyone may write to and that has the sticky bit
// (like /tmp), a link is followed only when it belongs to the writer or to the folder's owner; otherwise
// another user could point a name that someone else will save under at a file of that person's. A link that
// leads nowhere or round in a loop is refused too, instead of being replaced by a plain file. Links whose
// text is no path (/proc/self/fd/1 pointing at "pipe:[...]") end the walk; the kernel follows those itself.
// The writer applies it before every save, CheckWriteTarget before any.
MaybeRefusal CheckLinkChain(const std::string& path);

// Whether two names lead to the same file: the same existing regular file (through links, hard links and
// other spellings), or, for names not yet there, the same name in the same folder. Devices and pipes never
// count as the same, as writing one twice is what the user asked for.
bool SameWriteTarget(const std::string& first, const std::string& second);

}  // namespace tessaroven
