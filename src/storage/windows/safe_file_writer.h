// Writing a file on Windows so that it is either wholly replaced or left as it was. The bytes go into a
// temporary file ".tessaroven-XXXXXX" in the target's folder, opened for this writer alone, which is flushed
// (FlushFileBuffers), closed and moved over the target (MoveFileExW with MOVEFILE_REPLACE_EXISTING and
// MOVEFILE_WRITE_THROUGH), taking over the old file's hidden, system and indexing marks. While it is written
// the target is held open with a share mode that admits readers only, so no other program writes it in the
// meantime; a file another program holds open for writing, or open without letting it be deleted (which
// would stop the move), is waited for and then refused. A temporary file left by a killed save is removed by
// the next save in that folder: a live one is open without delete sharing and cannot be removed.
//
// Names are UTF-8, as everywhere in the program, and turned into the system's UTF-16; a name that is not
// UTF-8 is refused. The rules are those of the POSIX writer where they mean something here:
// - a device (NUL, CON, COM1, ..., any \\.\ name) is written straight, without temporary file or move;
// - a folder is refused, and so is a file marked read-only (FILE_ATTRIBUTE_READONLY);
// - a symbolic link or other reparse point is followed to the file it leads to, which is replaced while the
//   link stays; one that leads nowhere or round in a loop is refused;
// - a file with several hard links is written in place, so that every link keeps showing it: the old
//   contents are read first and put back when the write fails. (Unlike the POSIX writer this keeps no copy
//   on disk, so a machine that stops half way through leaves the file torn.)
#pragma once

#include <windows.h>

#include "storage/storage.h"

namespace tessaroven {

// The system calls the Windows writer makes (SystemFileSystem() gives the real ones); tests substitute
// failing ones to reach every failure path.
struct FileSystemOps {
    // CreateFileW with no security attributes and no template.
    HANDLE (*createFile)(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
    BOOL (*writeFile)(HANDLE file, const void* data, DWORD size, DWORD* written);
    BOOL (*flushFileBuffers)(HANDLE file);
    BOOL (*closeHandle)(HANDLE file);
    BOOL (*moveFile)(const wchar_t* from, const wchar_t* to, DWORD flags);  // MoveFileExW
    BOOL (*deleteFile)(const wchar_t* path);
    BOOL (*setEndOfFile)(HANDLE file);  // the in-place write: cuts the file at the current position
};

}  // namespace tessaroven
