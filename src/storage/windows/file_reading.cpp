// Reading a whole file on Windows.
#include <chrono>
#include <thread>

#include "messages/catalogue.h"
#include "storage/storage.h"
#include "storage/windows/windows_paths.h"

namespace tessaroven {

FileBytes ReadWholeFile(const std::string& path, std::size_t limit) {
    FileBytes file;
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) {
        file.error = MessageText(Reason::FileNameNotUtf8);
        return file;
    }
    const DWORD attributes = ::GetFileAttributesW(wide->c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        file.error = MessageText(Reason::SystemErrorIsFolder);
        return file;
    }
    // A save in place holds the file against other writers: the read waits for it to end (or, after a while,
    // reads what is there), as the POSIX read waits for the writer's lock.
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_DELETE;
    HANDLE handle;
    for (;;) {
        handle = ::CreateFileW(wide->c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_SHARING_VIOLATION ||
            (share & FILE_SHARE_WRITE) != 0) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            share |= FILE_SHARE_WRITE;
        } else {
            std::this_thread::sleep_for(20ms);
        }
    }
    if (handle == INVALID_HANDLE_VALUE) {
        file.error = WindowsErrorText(::GetLastError());
        return file;
    }
    char buffer[1 << 16];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF) {  // the end of a pipe or a device
                file.error = WindowsErrorText(error);
            }
            break;
        }
        if (got == 0) {
            break;
        }
        file.bytes.append(buffer, got);
        if (file.bytes.size() > limit) {
            file.tooLarge = true;
            break;
        }
    }
    ::CloseHandle(handle);
    return file;
}

}  // namespace tessaroven
