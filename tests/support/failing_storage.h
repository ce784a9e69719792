// The system's file-system calls with one step made to fail, for tests above storage that need a save to fail
// after every check before it passed. Each system's writer makes other calls, so each has its own failures.
#pragma once

#include <string_view>

#include "storage/storage.h"
#ifdef _WIN32
#include "storage/windows/safe_file_writer.h"
#else
#include <fcntl.h>
#include <stdlib.h>

#include <cerrno>

#include "storage/posix/safe_file_writer.h"
#endif

namespace tessaroven::testing {

// The last step of a save, the rename (the move on Windows) of the complete temporary file, fails.
inline FileSystemOps FileSystemFailingAtTheRename() {
    FileSystemOps ops = SystemFileSystem();
#ifdef _WIN32
    ops.moveFile = [](const wchar_t*, const wchar_t*, DWORD) -> BOOL {
        ::SetLastError(ERROR_NOT_SAME_DEVICE);
        return FALSE;
    };
#else
    ops.rename = [](const char*, const char*) { return errno = EXDEV, -1; };
#endif
    return ops;
}

// A folder named "full" takes no new file: its disk is full.
inline FileSystemOps FileSystemWithAFullFolder() {
    FileSystemOps ops = SystemFileSystem();
#ifdef _WIN32
    ops.createFile = [](const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
        const std::wstring_view name(path);
        if (disposition == CREATE_NEW &&
            (name.find(L"\\full\\") != name.npos || name.find(L"/full/") != name.npos)) {
            ::SetLastError(ERROR_DISK_FULL);
            return INVALID_HANDLE_VALUE;
        }
        return SystemFileSystem().createFile(path, access, share, disposition, flags);
    };
#else
    ops.makeTemp = [](char* pathTemplate) {
        if (std::string_view(pathTemplate).find("/full/") != std::string_view::npos) {
            return errno = ENOSPC, -1;
        }
        return mkostemp(pathTemplate, O_CLOEXEC);
    };
#endif
    return ops;
}

}  // namespace tessaroven::testing
