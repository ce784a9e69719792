// UTF-8 names as UTF-16, Windows' error codes as the catalogue's texts, device names and folder parts.
#include "storage/windows/windows_paths.h"

#include <cwctype>
#include <string_view>

#include "messages/catalogue.h"

namespace tessaroven {

std::optional<std::wstring> WidePath(const std::string& path) {
    if (path.empty()) {
        return std::wstring();
    }
    const int size = static_cast<int>(path.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
    // An embedded NUL would cut the name short at the system: the file written would not be the one named.
    if (length <= 0 || path.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), length);
    return wide;
}

std::string WindowsErrorText(DWORD code) {
    struct Entry {
        DWORD code;
        Reason reason;
    };
    // The codes a file's read or save meets, read as the POSIX error of the same meaning.
    static constexpr Entry kReasons[] = {
        {ERROR_FILE_NOT_FOUND, Reason::SystemErrorNoEntry},
        {ERROR_PATH_NOT_FOUND, Reason::SystemErrorNoEntry},
        {ERROR_INVALID_DRIVE, Reason::SystemErrorNoEntry},
        {ERROR_BAD_NETPATH, Reason::SystemErrorNoEntry},
        {ERROR_BAD_NET_NAME, Reason::SystemErrorNoEntry},
        {ERROR_ACCESS_DENIED, Reason::SystemErrorAccessDenied},
        {ERROR_PRIVILEGE_NOT_HELD, Reason::SystemErrorNotPermitted},
        {ERROR_DISK_FULL, Reason::SystemErrorDiskFull},
        {ERROR_HANDLE_DISK_FULL, Reason::SystemErrorDiskFull},
        {1295, Reason::SystemErrorQuotaExceeded},  // ERROR_DISK_QUOTA_EXCEEDED, which mingw-w64 lacks
        {ERROR_WRITE_PROTECT, Reason::SystemErrorReadOnly},
        {ERROR_DIRECTORY, Reason::SystemErrorNotFolder},
        {ERROR_FILE_EXISTS, Reason::SystemErrorExists},
        {ERROR_ALREADY_EXISTS, Reason::SystemErrorExists},
        {ERROR_FILENAME_EXCED_RANGE, Reason::SystemErrorNameTooLong},
        {ERROR_CANT_RESOLVE_FILENAME, Reason::SystemErrorLinkLoop},
        {ERROR_CRC, Reason::SystemErrorInputOutput},
        {ERROR_READ_FAULT, Reason::SystemErrorInputOutput},
        {ERROR_WRITE_FAULT, Reason::SystemErrorInputOutput},
        {ERROR_IO_DEVICE, Reason::SystemErrorInputOutput},
        {ERROR_SHARING_VIOLATION, Reason::SystemErrorBusy},
        {ERROR_LOCK_VIOLATION, Reason::SystemErrorBusy},
        {ERROR_BUSY, Reason::SystemErrorBusy},
        {ERROR_TOO_MANY_OPEN_FILES, Reason::SystemErrorTooManyOpen},
        {ERROR_FILE_TOO_LARGE, Reason::SystemErrorFileTooLarge},
        {ERROR_NOT_SAME_DEVICE, Reason::SystemErrorAcrossDevices},
        {ERROR_INVALID_NAME, Reason::SystemErrorInvalidName},
    };
    for (const Entry& entry : kReasons) {
        if (entry.code == code) {
            return std::string(MessageText(entry.reason));
        }
    }
    return Message(Reason::SystemErrorOther, {std::to_string(code)});
}

namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towupper(a[i]) != std::towupper(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsDeviceName(const std::wstring& path) {
    if (path.size() > 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] == L'.' &&
        IsSeparator(path[3])) {
        return true;
    }
    std::size_t start = path.find_last_of(L"\\/");
    start = start == std::wstring::npos ? (path.size() > 1 && path[1] == L':' ? 2 : 0) : start + 1;
    std::wstring_view name(path);
    name = name.substr(start, name.find_first_of(L".:", start) - start);
    while (!name.empty() && name.back() == L' ') {
        name.remove_suffix(1);
    }
    for (const std::wstring_view device : {L"NUL", L"CON", L"PRN", L"AUX", L"CONIN$", L"CONOUT$"}) {
        if (EqualIgnoringCase(name, device)) {
            return true;
        }
    }
    return name.size() == 4 &&
           (EqualIgnoringCase(name.substr(0, 3), L"COM") || EqualIgnoringCase(name.substr(0, 3), L"LPT")) &&
           name[3] >= L'1' && name[3] <= L'9';
}

bool EndsInSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

std::wstring FolderPart(const std::wstring& path) {
    const std::size_t separator = path.find_last_of(L"\\/");
    if (separator != std::wstring::npos) {
        return path.substr(0, separator + 1);
    }
    return path.size() > 1 && path[1] == L':' ? path.substr(0, 2) : std::wstring();
}

}  // namespace tessaroven
