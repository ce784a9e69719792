// Writes a file through a temporary file in the same folder and a move over the target, so a failure never
// leaves a partial file in place of a good one; writes a device straight; writes a file with several hard
// links in place, putting its old contents back when that fails.
#include "storage/windows/safe_file_writer.h"

#include <chrono>
#include <random>
#include <thread>

#include "messages/echoed_text.h"
#include "storage/windows/windows_paths.h"
#include "storage/windows/write_target.h"

namespace tessaroven {
namespace {

constexpr std::wstring_view kTemporaryPrefix = L".tessaroven-";
constexpr std::wstring_view kTemporaryLetters =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporaryRandomLength = 6;
// How long a file another program holds open for writing is waited for, as the POSIX writer waits for a lock.
constexpr std::chrono::seconds kLongestWait{10};

HANDLE CreateFileCall(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags) {
    return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}

BOOL WriteFileCall(HANDLE file, const void* data, DWORD size, DWORD* written) {
    return ::WriteFile(file, data, size, written, nullptr);
}

Refusal WriteFailure(const std::string& path, DWORD error) {
    return Refuse(Reason::FileWriteFailed, {path, WindowsErrorText(error)});
}

// Writes every byte; 0 or the error. A write that takes nothing counts as a full disk, so the loop ends.
DWORD WriteAll(const FileSystemOps& ops, HANDLE file, std::string_view bytes) {
    constexpr std::size_t kLargestWrite = 1 << 30;
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
        if (!ops.writeFile(file, bytes.data(), size, &written)) {
            return ::GetLastError();
        }
        if (written == 0) {
            return ERROR_DISK_FULL;
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

// Opens path with the share mode given, waiting while another program holds it in a way that mode excludes.
HANDLE OpenWaiting(const FileSystemOps& ops, const std::wstring& path, DWORD access, DWORD share) {
    const auto deadline = std::chrono::steady_clock::now() + kLongestWait;
    for (;;) {
        const HANDLE file = ops.createFile(path.c_str(), access, share, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
        if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_SHARING_VIOLATION ||
            std::chrono::steady_clock::now() > deadline) {
            return file;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// The refusal for a file that could not be opened: another program's hold, or the system's reason.
Refusal OpenFailure(const std::string& path, DWORD error) {
    if (error == ERROR_SHARING_VIOLATION) {
        return Refuse(Reason::FileWriteFailed, {path, MessageText(Reason::WriteFileLocked)});
    }
    return WriteFailure(path, error);
}

bool IsTemporaryName(std::wstring_view name) {
    return name.size() == kTemporaryPrefix.size() + kTemporaryRandomLength &&
           name.starts_with(kTemporaryPrefix) &&
           name.find_first_not_of(kTemporaryLetters, kTemporaryPrefix.size()) == std::wstring_view::npos;
}

// Removes the temporary files killed saves left in folder. A save holds its temporary file open without
// delete sharing until it is moved, so only abandoned ones can be deleted.
void RemoveAbandonedTemporaries(const std::wstring& folder, const FileSystemOps& ops) {
    WIN32_FIND_DATAW found;
    const std::wstring pattern = folder + std::wstring(kTemporaryPrefix) + L"*";
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
            IsTemporaryName(found.cFileName)) {
            ops.deleteFile((folder + found.cFileName).c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

struct Temporary {
    HANDLE handle = INVALID_HANDLE_VALUE;
    std::wstring name;
};

// Creates the temporary file in folder, open for this writer alone, with the attributes given; 0 or the
// error.
DWORD CreateTemporary(const FileSystemOps& ops, const std::wstring& folder, DWORD attributes,
                      Temporary& temporary) {
    std::random_device seed;
    std::uniform_int_distribution<std::size_t> letter(0, kTemporaryLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring name = folder + std::wstring(kTemporaryPrefix);
        for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
            name += kTemporaryLetters[letter(seed)];
        }
        const HANDLE handle = ops.createFile(name.c_str(), GENERIC_WRITE, 0, CREATE_NEW, attributes);
        if (handle != INVALID_HANDLE_VALUE) {
            temporary = {handle, name};
            return 0;
        }
        if (const DWORD error = ::GetLastError();
            error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return error;
        }
    }
    return ERROR_FILE_EXISTS;
}

MaybeRefusal WriteIntoDevice(const std::string& path, const std::wstring& wide, std::string_view bytes,
                             const FileSystemOps& ops) {
    const HANDLE device =
        ops.createFile(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0);
    if (device == INVALID_HANDLE_VALUE) {
        return WriteFailure(path, ::GetLastError());
    }
    const DWORD error = WriteAll(ops, device, bytes);
    const bool closed = ops.closeHandle(device) != 0;
    if (error != 0 || !closed) {
        return WriteFailure(path, error != 0 ? error : ::GetLastError());
    }
    return std::nullopt;
}

// The whole contents of the open file from its start; false when it cannot be read.
bool ReadFromStart(HANDLE file, std::string& contents) {
    contents.clear();
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        return false;
    }
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        contents.append(buffer, got);
    }
}

// Replaces the open file's contents with bytes and flushes them; 0 or the error.
DWORD Overwrite(const FileSystemOps& ops, HANDLE file, std::string_view bytes) {
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        return ::GetLastError();
    }
    if (const DWORD error = WriteAll(ops, file, bytes); error != 0) {
        return error;
    }
    if (!ops.setEndOfFile(file) || !ops.flushFileBuffers(file)) {
        return ::GetLastError();
    }
    return 0;
}

// A file with several hard links keeps its identity: written where it is, held against other writers, and
// given its old contents back when the write fails.
MaybeRefusal WriteInPlace(const std::string& path, const std::wstring& file, std::string_view bytes,
                          const FileSystemOps& ops) {
    const HANDLE handle = OpenWaiting(ops, file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ);
    if (handle == INVALID_HANDLE_VALUE) {
        return OpenFailure(path, ::GetLastError());
    }
    std::string old;
    DWORD error = ReadFromStart(handle, old) ? 0 : ::GetLastError();
    if (error == 0) {
        error = Overwrite(ops, handle, bytes);
        if (error != 0) {
            Overwrite(ops, handle, old);
        }
    }
    if (!ops.closeHandle(handle) && error == 0) {
        error = ::GetLastError();
    }
    return error == 0 ? std::nullopt : MaybeRefusal(WriteFailure(path, error));
}

}  // namespace

const FileSystemOps& SystemFileSystem() {
    static const FileSystemOps ops{CreateFileCall, WriteFileCall, ::FlushFileBuffers, ::CloseHandle,
                                   ::MoveFileExW,  ::DeleteFileW, ::SetEndOfFile};
    return ops;
}

MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes, const FileSystemOps& ops) {
    if (path.empty() || EndsInSeparator(path)) {
        return CheckWriteTarget(path);
    }
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) {
        return Refuse(Reason::FileWriteFailed,
                      {EchoedText(path, kWholeText), MessageText(Reason::FileNameNotUtf8)});
    }
    const WriteTarget target = LookAtTarget(*wide);
    if (MaybeRefusal refusal = RefusalForTarget(path, target)) {
        return refusal;
    }
    if (target.kind == WriteTarget::Kind::Device) {
        return WriteIntoDevice(path, *wide, bytes, ops);
    }
    const bool exists = target.kind == WriteTarget::Kind::File;
    if (exists && target.links > 1) {
        return WriteInPlace(path, target.file, bytes, ops);
    }
    const std::wstring folder = FolderPart(target.file);
    RemoveAbandonedTemporaries(folder, ops);

    // The hold on the target: readers may come, writers wait until the new file is in place. Asking for the
    // right to delete it also waits for a program that holds it open without letting it be deleted (as
    // spreadsheet programs keep the files they show), which would make the move fail as if the user had no
    // permission; where that right is refused, the move may still be allowed by the folder.
    HANDLE hold = INVALID_HANDLE_VALUE;
    if (exists) {
        const DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE;
        hold = OpenWaiting(ops, target.file, GENERIC_READ | DELETE, share);
        if (hold == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED) {
            hold = OpenWaiting(ops, target.file, GENERIC_READ, share);
        }
        if (hold == INVALID_HANDLE_VALUE) {
            return OpenFailure(path, ::GetLastError());
        }
    }
    // The new file keeps what the old one was marked (hidden, system, not indexed), as the POSIX writer keeps
    // a file's permissions; the move would otherwise give it the temporary file's.
    constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD kept = exists ? target.attributes & kKeptAttributes : 0;
    Temporary temporary;
    if (const DWORD error = CreateTemporary(ops, folder, kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL, temporary);
        error != 0) {
        if (hold != INVALID_HANDLE_VALUE) {
            ops.closeHandle(hold);
        }
        // A folder that refuses new files may still let the existing file be written.
        if (exists && error == ERROR_ACCESS_DENIED) {
            return WriteInPlace(path, target.file, bytes, ops);
        }
        return WriteFailure(path, error);
    }
    const auto failAndClean = [&](DWORD error, bool open) {
        if (open) {
            ops.closeHandle(temporary.handle);
        }
        ops.deleteFile(temporary.name.c_str());
        if (hold != INVALID_HANDLE_VALUE) {
            ops.closeHandle(hold);
        }
        return WriteFailure(path, error);
    };
    if (const DWORD error = WriteAll(ops, temporary.handle, bytes); error != 0) {
        return failAndClean(error, true);
    }
    if (!ops.flushFileBuffers(temporary.handle)) {
        return failAndClean(::GetLastError(), true);
    }
    if (!ops.closeHandle(temporary.handle)) {
        return failAndClean(::GetLastError(), false);
    }
    // The hold ends just before the move, which a file open without delete sharing would stop.
    if (hold != INVALID_HANDLE_VALUE) {
        ops.closeHandle(hold);
        hold = INVALID_HANDLE_VALUE;
    }
    if (!ops.moveFile(temporary.name.c_str(), target.file.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return failAndClean(::GetLastError(), false);
    }
    return std::nullopt;
}

// The in-place write keeps its copy of the old contents in memory only, so an interrupted one leaves nothing
// on disk to settle.
void SettleInterruptedWrite(const std::string&) {}

}  // namespace tessaroven
