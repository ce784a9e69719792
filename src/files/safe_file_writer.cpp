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

}  // namespace

const FileSystemOps& PosixFileSystem() {
    static const FileSystemOps ops{MakeTemp, ::write, ::fchmod, ::fsync, ::close, ::rename, ::unlink};
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
    const std::size_t slash = file.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
    std::string temporary = folder + ".tessaroven-XXXXXX";

    const int fd = ops.makeTemp(temporary.data());
    if (fd < 0) {
        return WriteFailure(path, errno);
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
