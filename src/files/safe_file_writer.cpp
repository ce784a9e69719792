// Writes a file through a temporary file in the same folder and a rename, so a failure never leaves a partial
// file in place of a good one.
#include "files/safe_file_writer.h"

#include <fcntl.h>
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
        return path;  // a dangling link: replaced by the new file
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

// Writes all of bytes at offset; 0 or the error. A write that makes no progress counts as a full disk.
int WriteAllAt(const FileSystemOps& ops, int fd, std::string_view bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ops.pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
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

    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ops.write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failAndClean(errno, true);
        }
        if (written == 0) {
            return failAndClean(ENOSPC, true);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
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
