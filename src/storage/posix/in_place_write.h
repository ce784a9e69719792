// The in-place write, for a file that must keep its inode: one with other hard links, one of another user,
// one in a folder that takes no new files. Before the file is touched, its old contents and the new ones go
// into a copy of their own, flushed with its folder: beside the file (".NAME.tessaroven-old") or, where the
// folder takes no new file, in the user's state folder ($XDG_STATE_HOME/tessaroven, by default
// ~/.local/state/tessaroven, as "old-DEVICE-INODE"). The copy is removed only once the new contents are
// flushed. A write killed half way, or a machine that stopped, leaves the copy behind; the next save or read
// of the file finds it and puts the old contents back when the file holds a mix of old and new bytes. An
// exclusive flock on the file for the whole write keeps two writers apart.
#pragma once

#include <string>
#include <string_view>

#include "messages/outcome.h"
#include "storage/posix/safe_file_writer.h"

namespace tessaroven {

// Overwrites file (no link; path is the name the user gave, for the messages) with bytes as described above.
MaybeRefusal WriteInPlace(const std::string& path, const std::string& file, std::string_view bytes,
                          const FileSystemOps& ops);

// Settles what an interrupted in-place write left for file (no link): in the usual case, where there is no
// copy, two lstat calls and nothing else.
void SettleLeftOverCopy(const std::string& file, const FileSystemOps& ops);

// Takes flock's operation (LOCK_EX or LOCK_SH) on fd, waiting up to ten seconds for another holder. False
// only when another holder kept it all that time; where the file system has no locks, the file counts as
// locked.
bool LockFile(int fd, int operation);

// Writes every byte at the descriptor's position; 0 or the error. A write that makes no progress counts as a
// full disk.
int WriteAll(const FileSystemOps& ops, int fd, std::string_view bytes);

// Flushes the folder's entries (a new, renamed or removed name) to the disk; 0 or the error. File systems
// that cannot flush a folder count as done.
int FlushFolder(const FileSystemOps& ops, const std::string& folder);

}  // namespace tessaroven
