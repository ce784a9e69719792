// Writes a file through a temporary file in the same folder and a rename, so a failure never leaves a partial
// file in place of a good one; writes a device or a pipe straight; refuses targets that cannot hold a file
// and symbolic links another user may have planted.
#include "files/safe_file_writer.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tessaroven {
namespace {

int MakeTemp(char* pathTemplate) {
    return mkostemp(pathTemplate, O_CLOEXEC);
}

int OpenExisting(const char* path) {
    return ::open(path, O_RDWR | O_CLOEXEC);
}

std::string ErrorText(int error) {
    char buffer[256];
    // GNU strerror_r returns the text, which may or may not be in buffer.
    return strerror_r(error, buffer, sizeof buffer);
}

Refusal WriteFailure(const std::string& path, int error) {
    return Refuse(Reason::FileWriteFailed, {path, ErrorText(error)});
}

// The failure message with the catalogue's reason why the target was left alone.
Refusal TargetRefused(const std::string& path, Reason why,
                      std::initializer_list<std::string_view> details = {}) {
    return Refuse(Reason::FileWriteFailed, {path, Message(why, details)});
}

// The folder holding the entry at path, as a name stat can take.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows the chain of symbolic links from path one link at a time, as the kernel's protected_symlinks rule
// does but whatever the system's setting: in a folder that everyone may write to and that has the sticky bit
// (like /tmp), a link is followed only when it belongs to the writer or to the folder's owner; otherwise
// another user could point a name that someone else will save under at a file of that person's. A link that
// leads nowhere or round in a loop is refused too, instead of being replaced by a plain file. Links whose
// text is no path (/proc/self/fd/1 pointing at "pipe:[...]") end the walk; the kernel follows those itself.
MaybeRefusal CheckLinks(const std::string& path) {
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
            return TargetRefused(path, Reason::WriteLinkUntrusted,
                                 {std::to_string(link.st_uid), std::to_string(shared.st_uid)});
        }
        char to[4096];
        const ssize_t length = ::readlink(hop.c_str(), to, sizeof to);
        if (length < 0 || static_cast<std::size_t>(length) == sizeof to) {
            return WriteFailure(path, length < 0 ? errno : ENAMETOOLONG);
        }
        const std::string text(to, static_cast<std::size_t>(length));
        hop = !text.empty() && text.front() == '/' ? text : folder + "/" + text;
    }
    struct stat target;
    struct stat link;
    const int error = ::stat(path.c_str(), &target) == 0 ? 0 : errno;
    if (error != 0 && ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (error == ELOOP) {
            return TargetRefused(path, Reason::WriteLinkLoop, {ErrorText(ELOOP)});
        }
        if (error == ENOENT) {
            return TargetRefused(path, Reason::WriteLinkDangling, {hop});
        }
    }
    return std::nullopt;
}

// Mode for the new file: that of the file it replaces, or the usual 0666 less the umask.
mode_t TargetMode(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        return info.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The file a save under path replaces: the one a symbolic link points to, so that the link stays a link, as
// when the file is opened and truncated; otherwise path itself.
std::string ReplacedFile(const std::string& path) {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;  // unresolvable for another reason than a dangling end: the write reports it
    }
    std::string target(resolved);
    std::free(resolved);
    return target;
}

// The error that opening the existing file for writing would meet, or 0. The rename alone would replace a
// file whose permissions protect it; one without any write permission counts as read-only for every user.
int ProtectionError(const std::string& file) {
    struct stat info;
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return 0;
    }
    if ((info.st_mode & 0222) == 0) {
        return EACCES;
    }
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno;
    }
    return 0;
}

// Calls write(data, size, bytes done so far) until every byte is written; 0 or the error. A write that makes
// no progress counts as a full disk.
template <class Write>
int WriteEvery(std::string_view bytes, Write write) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(bytes.data() + done, bytes.size() - done, done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return ENOSPC;
        }
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

// Writes all of bytes at the descriptor's position; 0 or the error.
int WriteAll(const FileSystemOps& ops, int fd, std::string_view bytes) {
    return WriteEvery(
        bytes, [&](const char* data, std::size_t size, std::size_t) { return ops.write(fd, data, size); });
}

// Writes all of bytes at offset; 0 or the error.
int WriteAllAt(const FileSystemOps& ops, int fd, std::string_view bytes, off_t offset) {
    return WriteEvery(bytes, [&](const char* data, std::size_t size, std::size_t done) {
        return ops.pwrite(fd, data, size, offset + static_cast<off_t>(done));
    });
}

// The whole contents of the open file; false with errno set when it cannot be read.
bool ReadAll(const FileSystemOps& ops, int fd, std::string& contents) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ops.pread(fd, buffer, sizeof buffer, static_cast<off_t>(contents.size()));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            return true;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

// Puts the old contents back after a failed in-place write (the best that can be done; its own failure
// cannot be reported better than the first one).
void Restore(const FileSystemOps& ops, int fd, const std::string& old) {
    if (WriteAllAt(ops, fd, old, 0) == 0) {
        ops.ftruncate(fd, static_cast<off_t>(old.size()));
        ops.fsync(fd);
    }
}

MaybeRefusal WriteInPlace(const std::string& path, const std::string& file, std::string_view bytes,
                          const FileSystemOps& ops) {
    const int fd = ops.openExisting(file.c_str());
    if (fd < 0) {
        return WriteFailure(path, errno);
    }
    std::string old;
    if (!ReadAll(ops, fd, old)) {
        const int error = errno;
        ops.close(fd);
        return WriteFailure(path, error);
    }
    int error = WriteAllAt(ops, fd, bytes, 0);
    if (error == 0 && bytes.size() < old.size() && ops.ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
        error = errno;
    }
    if (error == 0 && ops.fsync(fd) != 0) {
        error = errno;
    }
    if (error != 0) {
        Restore(ops, fd, old);
        ops.close(fd);
        return WriteFailure(path, error);
    }
    if (ops.close(fd) != 0) {
        // A late write-back error: the new bytes may not all have reached the disk.
        error = errno;
        const int again = ops.openExisting(file.c_str());
        if (again >= 0) {
            Restore(ops, again, old);
            ops.close(again);
        }
        return WriteFailure(path, error);
    }
    return std::nullopt;
}

// A character device or a pipe takes the bytes as they come: no temporary file and no rename, which would
// put a plain file in the device's place. As with a shell's redirection the open waits for a pipe's reader
// (a non-blocking open would fail, or drop the bytes, when the reader is a moment late), and nothing is
// flushed (a pipe cannot be).
MaybeRefusal WriteIntoDevice(const std::string& path, std::string_view bytes, const FileSystemOps& ops) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        return WriteFailure(path, errno);
    }
    // A reader that goes away early must give a failure message, not end the program by SIGPIPE.
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    int error = WriteAll(ops, fd, bytes);
    if (error == EPIPE && sigismember(&previous, SIGPIPE) == 0) {
        const timespec now{};
        sigtimedwait(&pipeSignal, nullptr, &now);  // take the signal the failed write raised
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (ops.close(fd) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 ? std::nullopt : MaybeRefusal(WriteFailure(path, error));
}

}  // namespace

const FileSystemOps& PosixFileSystem() {
    static const FileSystemOps ops{MakeTemp, ::write,      ::fchmod, ::fsync,  ::close,    ::rename,
                                   ::unlink, OpenExisting, ::pread,  ::pwrite, ::ftruncate};
    return ops;
}

MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes, const FileSystemOps& ops) {
    if (path.empty() || path.back() == '/') {
        return WriteFailure(path, path.empty() ? ENOENT : EISDIR);
    }
    if (auto refusal = CheckLinks(path)) {
        return refusal;
    }
    struct stat target;
    if (::stat(path.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        if (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode)) {
            return WriteIntoDevice(path, bytes, ops);
        }
        if (S_ISDIR(target.st_mode)) {
            return TargetRefused(path, Reason::WriteTargetFolder, {ErrorText(EISDIR)});
        }
        return TargetRefused(
            path, S_ISSOCK(target.st_mode) ? Reason::WriteTargetSocket : Reason::WriteTargetBlockDevice);
    }
    const std::string file = ReplacedFile(path);
    if (const int error = ProtectionError(file); error != 0) {
        return WriteFailure(path, error);
    }
    struct stat info;
    const bool exists = ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    if (exists && (info.st_nlink > 1 || info.st_uid != ::geteuid())) {
        return WriteInPlace(path, file, bytes, ops);
    }
    const std::size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
    std::string temporary = folder + ".tessaroven-XXXXXX";

    const int fd = ops.makeTemp(temporary.data());
    if (fd < 0) {
        const int error = errno;
        // A folder that refuses new files may still let the existing file be written.
        if (exists && (error == EACCES || error == EPERM)) {
            return WriteInPlace(path, file, bytes, ops);
        }
        return WriteFailure(path, error);
    }
    const auto failAndClean = [&](int error, bool open) {
        if (open) {
            ops.close(fd);
        }
        ops.unlink(temporary.c_str());
        return WriteFailure(path, error);
    };

    if (const int error = WriteAll(ops, fd, bytes); error != 0) {
        return failAndClean(error, true);
    }
    if (ops.fchmod(fd, TargetMode(file)) != 0 || ops.fsync(fd) != 0) {
        return failAndClean(errno, true);
    }
    if (ops.close(fd) != 0) {
        return failAndClean(errno, false);
    }
    if (ops.rename(temporary.c_str(), file.c_str()) != 0) {
        return failAndClean(errno, false);
    }
    return std::nullopt;
}

}  // namespace tessaroven
