// The POSIX writer's rules for its target that CheckWriteTarget (storage/storage.h) also applies before any
// write: the walk along a chain of symbolic links.
#pragma once

#include <string>

#include "storage/storage.h"

namespace tessaroven {

// Follows the chain of symbolic links from path one link at a time, as the kernel's protected_symlinks rule
// does but whatever the system's setting: in a folder that everyone may write to and that has the sticky bit
// (like /tmp), a link is followed only when it belongs to the writer or to the folder's owner; otherwise
// another user could point a name that someone else will save under at a file of that person's. A link that
// leads nowhere or round in a loop is refused too, instead of being replaced by a plain file. Links whose
// text is no path (/proc/self/fd/1 pointing at "pipe:[...]") end the walk; the kernel follows those itself.
// The writer applies it before every save, CheckWriteTarget before any.
MaybeRefusal CheckLinkChain(const std::string& path);

}  // namespace tessaroven
