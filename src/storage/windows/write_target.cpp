// Looking at a write target without writing, creating or locking anything; the rules are the Windows
// writer's (safe_file_writer.h).
#include "storage/windows/write_target.h"

#include "messages/echoed_text.h"
#include "storage/storage.h"
#include "storage/windows/windows_paths.h"

namespace tessaroven {
namespace {

// Opens what path leads to (through links) only to look at it: no access to its contents, so that no other
// program's share mode stands in the way.
HANDLE OpenToLookAt(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The full name of the open file, or "" when the system gives none.
std::wstring FinalName(HANDLE handle) {
    std::wstring name(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = ::GetFinalPathNameByHandleW(handle, name.data(), static_cast<DWORD>(name.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(length);
    }
    return {};
}

Refusal Refused(const std::string& path, const std::string& why) {
    return Refuse(Reason::FileWriteFailed, {EchoedText(path, kWholeText), why});
}

}  // namespace

WriteTarget LookAtTarget(const std::wstring& path) {
    WriteTarget target;
    target.file = path;
    if (IsDeviceName(path)) {
        target.kind = WriteTarget::Kind::Device;
        return target;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        target.error = ::GetLastError();
        if (target.error != ERROR_FILE_NOT_FOUND) {
            return target;  // a folder on the way that is missing or a file, a name Windows cannot take
        }
        // A new file: the temporary file goes into its folder, which must be one.
        const std::wstring folder = FolderPart(path);
        const DWORD folderAttributes =
            folder.empty() ? FILE_ATTRIBUTE_DIRECTORY : ::GetFileAttributesW(folder.c_str());
        if (folderAttributes == INVALID_FILE_ATTRIBUTES) {
            target.error = ::GetLastError();
            return target;
        }
        if ((folderAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            target.error = ERROR_DIRECTORY;
            return target;
        }
        target.kind = WriteTarget::Kind::Missing;
        return target;
    }
    const HANDLE handle = OpenToLookAt(path);
    if (handle == INVALID_HANDLE_VALUE) {
        target.error = ::GetLastError();
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsMissing(target.error)) {
            target.kind = WriteTarget::Kind::DanglingLink;
        } else if (target.error == ERROR_CANT_RESOLVE_FILENAME) {
            target.kind = WriteTarget::Kind::LinkLoop;
        }
        return target;
    }
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
    const bool disk = ::GetFileType(handle) == FILE_TYPE_DISK;
    if (known && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        target.file = FinalName(handle);
    }
    if (!known || target.file.empty()) {
        target.error = ::GetLastError();
        ::CloseHandle(handle);
        return target;
    }
    ::CloseHandle(handle);
    if (!disk) {
        target.kind = WriteTarget::Kind::Device;
    } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        target.kind = WriteTarget::Kind::Folder;
    } else {
        target.kind = WriteTarget::Kind::File;
        target.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        target.links = info.nNumberOfLinks;
        target.attributes = info.dwFileAttributes;
    }
    return target;
}

MaybeRefusal RefusalForTarget(const std::string& path, const WriteTarget& target) {
    switch (target.kind) {
        case WriteTarget::Kind::Missing:
        case WriteTarget::Kind::Device:
            return std::nullopt;
        case WriteTarget::Kind::File:
            return target.readOnly ? MaybeRefusal(Refused(path, WindowsErrorText(ERROR_ACCESS_DENIED)))
                                   : std::nullopt;
        case WriteTarget::Kind::Folder:
            return Refused(path,
                           Message(Reason::WriteTargetFolder, {MessageText(Reason::SystemErrorIsFolder)}));
        case WriteTarget::Kind::DanglingLink:
            return Refused(path, Message(Reason::WriteLinkDangling, {EchoedText(path, kWholeText)}));
        case WriteTarget::Kind::LinkLoop:
            return Refused(path,
                           Message(Reason::WriteLinkLoop, {WindowsErrorText(ERROR_CANT_RESOLVE_FILENAME)}));
        case WriteTarget::Kind::Unreachable:
            break;
    }
    return Refused(path, WindowsErrorText(target.error));
}

MaybeRefusal CheckWriteTarget(const std::string& path) {
    if (path.empty()) {
        return Refused(path, WindowsErrorText(ERROR_FILE_NOT_FOUND));
    }
    if (EndsInSeparator(path)) {
        return Refused(path, Message(Reason::WriteTargetFolder, {MessageText(Reason::SystemErrorIsFolder)}));
    }
    const std::optional<std::wstring> wide = WidePath(path);
    if (!wide) {
        return Refused(path, MessageText(Reason::FileNameNotUtf8).data());
    }
    return RefusalForTarget(path, LookAtTarget(*wide));
}

bool SameWriteTarget(const std::string& first, const std::string& second) {
    const std::optional<std::wstring> a = WidePath(first);
    const std::optional<std::wstring> b = WidePath(second);
    if (!a || !b || a->empty() || b->empty() || IsDeviceName(*a) || IsDeviceName(*b)) {
        return false;
    }
    const HANDLE firstHandle = OpenToLookAt(*a);
    const HANDLE secondHandle = OpenToLookAt(*b);
    const bool firstExists = firstHandle != INVALID_HANDLE_VALUE;
    const bool secondExists = secondHandle != INVALID_HANDLE_VALUE;
    bool same = false;
    if (firstExists && secondExists) {
        BY_HANDLE_FILE_INFORMATION one;
        BY_HANDLE_FILE_INFORMATION other;
        same = ::GetFileInformationByHandle(firstHandle, &one) != 0 &&
               ::GetFileInformationByHandle(secondHandle, &other) != 0 &&
               ::GetFileType(firstHandle) == FILE_TYPE_DISK &&
               (one.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
               one.dwVolumeSerialNumber == other.dwVolumeSerialNumber &&
               one.nFileIndexHigh == other.nFileIndexHigh && one.nFileIndexLow == other.nFileIndexLow;
    } else if (!firstExists && !secondExists) {
        // Names not yet there: the same full name, as Windows compares names (without regard to case).
        const auto fullName = [](const std::wstring& path) {
            std::wstring full(MAX_PATH, L'\0');
            DWORD length =
                ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
            if (length >= full.size()) {
                full.resize(length);
                length =
                    ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
            }
            full.resize(length < full.size() ? length : 0);
            return full;
        };
        const std::wstring one = fullName(*a);
        const std::wstring other = fullName(*b);
        same =
            !one.empty() && ::CompareStringOrdinal(one.c_str(), static_cast<int>(one.size()), other.c_str(),
                                                   static_cast<int>(other.size()), TRUE) == CSTR_EQUAL;
    }
    if (firstExists) {
        ::CloseHandle(firstHandle);
    }
    if (secondExists) {
        ::CloseHandle(secondHandle);
    }
    return same;
}

}  // namespace tessaroven
