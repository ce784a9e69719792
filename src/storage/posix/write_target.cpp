// Looking at a write target with stat, lstat, readlink and faccessat only; the rules are the safe writer's.
#include "storage/posix/write_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "messages/echoed_text.h"
#include "messages/system_error_text.h"

namespace tessaroven {
namespace {

Refusal Refused(const std::string& path, const std::string& why) {
    return Refuse(Reason::FileWriteFailed, {EchoedText(path, kWholeText), why});
}

Refusal RefusedFor(const std::string& path, int error) {
    return Refused(path, SystemErrorText(error));
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

MaybeRefusal CheckLinkChain(const std::string& path) {
    constexpr int kMostLinks = 40;  // the kernel's own limit; beyond it stat reports the loop
    std::string hop = path;
    for (int followed = 0; followed < kMostLinks; ++followed) {
        struct stat link;
        if (::lstat(hop.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            break;
        }
        const std::string folder = FolderOf(hop);
        struct stat shared;
        constexpr mode_t kStickyForAll = S_ISVTX | S_IWOTH;
        if (::stat(folder.c_str(), &shared) == 0 && (shared.st_mode & kStickyForAll) == kStickyForAll &&
            link.st_uid != ::geteuid() && link.st_uid != shared.st_uid) {
            return Refused(path, Message(Reason::WriteLinkUntrusted,
                                         {std::to_string(link.st_uid), std::to_string(shared.st_uid)}));
        }
        char to[4096];
        const ssize_t length = ::readlink(hop.c_str(), to, sizeof to);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof to) {
            return RefusedFor(path, length < 0 ? errno : ENAMETOOLONG);
        }
        const std::string text(to, static_cast<std::size_t>(length));
        hop = !text.empty() && text.front() == '/' ? text : folder + "/" + text;
    }
    struct stat target;
    if (::stat(path.c_str(), &target) == 0) {
        return std::nullopt;
    }
    const int error = errno;
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (error == ELOOP) {
            return Refused(path, Message(Reason::WriteLinkLoop, {SystemErrorText(ELOOP)}));
        }
        if (error == ENOENT) {
            return Refused(path, Message(Reason::WriteLinkDangling, {EchoedText(hop, kWholeText)}));
        }
    }
    return std::nullopt;
}

namespace {

// The file a save under path replaces: through a link, the file it points to.
std::string ReplacedFile(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), std::free);
    return resolved ? std::string(resolved.get()) : path;
}

}  // namespace

MaybeRefusal CheckWriteTarget(const std::string& path) {
    if (path.empty() || path.back() == '/') {
        return RefusedFor(path, path.empty() ? ENOENT : EISDIR);
    }
    if (auto refusal = CheckLinkChain(path)) {
        return refusal;
    }
    struct stat target;
    if (::stat(path.c_str(), &target) != 0) {
        if (errno != ENOENT) {
            return RefusedFor(path, errno);  // a folder on the way that is a file, no permission to look
        }
        // A new file: the writer creates its temporary file in the folder and renames it there.
        const std::string folder = FolderOf(path);
        struct stat folderInfo;
        if (::stat(folder.c_str(), &folderInfo) != 0) {
            return RefusedFor(path, errno);
        }
        if (!S_ISDIR(folderInfo.st_mode)) {
            return RefusedFor(path, ENOTDIR);
        }
        if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
            return RefusedFor(path, errno);
        }
        return std::nullopt;
    }
    if (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode)) {
        return std::nullopt;
    }
    if (S_ISDIR(target.st_mode)) {
        return Refused(path, Message(Reason::WriteTargetFolder, {SystemErrorText(EISDIR)}));
    }
    if (!S_ISREG(target.st_mode)) {
        return Refused(path, MessageText(S_ISSOCK(target.st_mode) ? Reason::WriteTargetSocket
                                                                  : Reason::WriteTargetBlockDevice)
                                 .data());
    }
    // An existing file: replaced by the rename, or written in place when the folder takes no new file; the
    // writer refuses a file its permissions protect either way, and one without any write permission even
    // from the superuser.
    const std::string file = ReplacedFile(path);
    if ((target.st_mode & 0222) == 0) {
        return RefusedFor(path, EACCES);
    }
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        return RefusedFor(path, errno);
    }
    return std::nullopt;
}

bool SameWriteTarget(const std::string& first, const std::string& second) {
    struct stat a;
    struct stat b;
    const bool firstExists = ::stat(first.c_str(), &a) == 0;
    const bool secondExists = ::stat(second.c_str(), &b) == 0;
    if (firstExists && secondExists) {
        return S_ISREG(a.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    }
    if (firstExists || secondExists) {
        return false;
    }
    const auto name = [](const std::string& path) {
        const std::size_t slash = path.rfind('/');
        return ReplacedFile(FolderOf(path)) + "/" + path.substr(slash == std::string::npos ? 0 : slash + 1);
    };
    return name(first) == name(second);
}

}  // namespace tessaroven
