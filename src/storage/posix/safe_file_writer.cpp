// Writes a file through a temporary file in the same folder and a rename, so a failure never leaves a partial
// file in place of a good one; writes a device or a pipe straight; refuses targets that cannot hold a file
// and symbolic links another user may have planted.
#include "storage/posix/safe_file_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>

#include "messages/system_error_text.h"
#include "storage/posix/in_place_write.h"
#include "storage/posix/write_target.h"

namespace tessaroven {
namespace {

constexpr std::string_view kTemporaryPrefix = ".tessaroven-";
constexpr std::string_view kTemporaryLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporaryRandomLength = 6;  // as mkstemp's XXXXXX

// The folder part of a path, "" for a name alone.
std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

int MakeTemp(char* pathTemplate) {
#ifdef O_TMPFILE
    // An unnamed file can only be given a name through /proc for a user without CAP_DAC_READ_SEARCH.
    static const bool linkable = ::access("/proc/self/fd", X_OK) == 0;
    if (linkable) {
        const std::string folder = FolderPart(pathTemplate);
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        // EISDIR: a kernel older than O_TMPFILE; EOPNOTSUPP: a file system without it.
        if (fd >= 0 || (errno != EISDIR && errno != EOPNOTSUPP && errno != EINVAL)) {
            return fd;
        }
    }
#endif
    return mkostemp(pathTemplate, O_CLOEXEC);
}

int Link(int fd, const char* path) {
    if (::linkat(fd, "", AT_FDCWD, path, AT_EMPTY_PATH) == 0) {
        return 0;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path, AT_SYMLINK_FOLLOW);
}

int CreateNew(const char* path, mode_t mode) {
    return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, mode);
}

int OpenExisting(const char* path) {
    return ::open(path, O_RDWR | O_CLOEXEC);
}

std::string ErrorText(int error) {
    return SystemErrorText(error);
}

Refusal WriteFailure(const std::string& path, int error) {
    return Refuse(Reason::FileWriteFailed, {path, ErrorText(error)});
}

// The failure message with the catalogue's reason why the target was left alone.
Refusal TargetRefused(const std::string& path, Reason why,
                      std::initializer_list<std::string_view> details = {}) {
    return Refuse(Reason::FileWriteFailed, {path, Message(why, details)});
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

// Whether name is one the writer gives its temporary files.
bool IsTemporaryName(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + kTemporaryRandomLength &&
           name.starts_with(kTemporaryPrefix) &&
           name.find_first_not_of(kTemporaryLetters, kTemporaryPrefix.size()) == std::string_view::npos;
}

// Removes the temporary files a killed save left in folder: only regular files of the user with the writer's
// name pattern whose lock can be taken. A save holds its temporary file locked from creation to rename, so a
// file nobody holds is one no save will finish.
void RemoveAbandonedTemporaries(const std::string& folder, const FileSystemOps& ops) {
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsTemporaryName(entry->d_name)) {
            continue;
        }
        const std::string name = folder + entry->d_name;
        struct stat listed;
        struct stat opened;
        if (::lstat(name.c_str(), &listed) != 0 || !S_ISREG(listed.st_mode) || listed.st_uid != ::geteuid()) {
            continue;
        }
        const int fd = ::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        if (::fstat(fd, &opened) == 0 && opened.st_ino == listed.st_ino && opened.st_dev == listed.st_dev &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ops.unlink(name.c_str());
        }
        ::close(fd);
    }
    ::closedir(listing);
}

struct Temporary {
    int fd = -1;
    std::string name;  // empty while the file has none
};

// Creates the temporary file in folder and locks it. A named one may be taken for abandoned by another save's
// clean-up in the moment between its creation and the lock: then its name is gone, or another file's, and a
// fresh one is made. 0 or the error.
int CreateTemporary(const FileSystemOps& ops, const std::string& folder, Temporary& temporary) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string name = folder + std::string(kTemporaryPrefix) + "XXXXXX";
        const int fd = ops.makeTemp(name.data());
        if (fd < 0) {
            return errno;
        }
        struct stat own;
        struct stat named;
        const int locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        if (::fstat(fd, &own) != 0) {
            const int error = errno;
            ops.close(fd);
            return error;
        }
        if (own.st_nlink == 0) {
            temporary = {fd, ""};
            return 0;
        }
        if (locked != EWOULDBLOCK && ::lstat(name.c_str(), &named) == 0 && named.st_ino == own.st_ino &&
            named.st_dev == own.st_dev) {
            temporary = {fd, name};
            return 0;
        }
        ops.close(fd);
    }
    return EEXIST;
}

// Gives the complete unnamed temporary file a fresh name in folder, for the rename. 0 or the error.
int NameTemporary(const FileSystemOps& ops, const std::string& folder, Temporary& temporary) {
    std::random_device seed;
    std::uniform_int_distribution<std::size_t> letter(0, kTemporaryLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = folder + std::string(kTemporaryPrefix);
        for (std::size_t i = 0; i < kTemporaryRandomLength; ++i) {
            name += kTemporaryLetters[letter(seed)];
        }
        if (ops.link(temporary.fd, name.c_str()) == 0) {
            temporary.name = name;
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
    return EEXIST;
}

// Writes bytes through fd, which stays the caller's to close.
MaybeRefusal WriteThrough(const std::string& path, int fd, std::string_view bytes, const FileSystemOps& ops) {
    // A reader that goes away early must give a failure message, not end the program by SIGPIPE.
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    const int error = WriteAll(ops, fd, bytes);
    if (error == EPIPE && sigismember(&previous, SIGPIPE) == 0) {
        const timespec now{};
        sigtimedwait(&pipeSignal, nullptr, &now);  // take the signal the failed write raised
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return error == 0 ? std::nullopt : MaybeRefusal(WriteFailure(path, error));
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
    MaybeRefusal refusal = WriteThrough(path, fd, bytes, ops);
    if (ops.close(fd) != 0 && !refusal) {
        refusal = WriteFailure(path, errno);
    }
    return refusal;
}

// The descriptor a name for one of the program's own open files stands for: /dev/stdout, /dev/stderr,
// /dev/fd/N, /proc/self/fd/N.
std::optional<int> OwnDescriptorNamed(const std::string& path) {
    if (path == "/dev/stdout" || path == "/dev/stderr") {
        return path == "/dev/stdout" ? 1 : 2;
    }
    for (const std::string_view folder : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0) {
            int fd = -1;
            const char* digits = path.c_str() + folder.size();
            const auto [end, error] = std::from_chars(digits, path.c_str() + path.size(), fd);
            if (error == std::errc() && *end == '\0') {
                return fd;
            }
        }
    }
    return std::nullopt;
}

}  // namespace

const FileSystemOps& SystemFileSystem() {
    static const FileSystemOps ops{MakeTemp,    ::write,   ::fchmod,     ::fsync, ::close,
                                   ::rename,    ::unlink,  OpenExisting, ::pread, ::pwrite,
                                   ::ftruncate, CreateNew, Link};
    return ops;
}

MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes, const FileSystemOps& ops) {
    if (path.empty() || path.back() == '/') {
        return WriteFailure(path, path.empty() ? ENOENT : EISDIR);
    }
    // A regular file the program was handed open (`--output /dev/stdout > out.csv`, or `>>`) is written
    // through that descriptor, at its position and in its append mode: replaced by a rename, the shell's `>>`
    // would lose what the file held and its descriptor would be left on the old file.
    struct stat target;
    if (const std::optional<int> own = OwnDescriptorNamed(path);
        own && ::fstat(*own, &target) == 0 && S_ISREG(target.st_mode)) {
        return WriteThrough(path, *own, bytes, ops);
    }
    if (auto refusal = CheckLinkChain(path)) {
        return refusal;
    }
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
    SettleLeftOverCopy(file, ops);
    struct stat info;
    const bool exists = ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    if (exists && (info.st_nlink > 1 || info.st_uid != ::geteuid())) {
        return WriteInPlace(path, file, bytes, ops);
    }
    const std::string folder = FolderPart(file);
    RemoveAbandonedTemporaries(folder, ops);

    Temporary temporary;
    if (const int error = CreateTemporary(ops, folder, temporary); error != 0) {
        // A folder that refuses new files may still let the existing file be written.
        if (exists && (error == EACCES || error == EPERM)) {
            return WriteInPlace(path, file, bytes, ops);
        }
        return WriteFailure(path, error);
    }
    int lockHolder = -1;
    const auto failAndClean = [&](int error, bool open) {
        if (open) {
            ops.close(temporary.fd);
        }
        if (!temporary.name.empty()) {
            ops.unlink(temporary.name.c_str());
        }
        if (lockHolder >= 0) {
            ::close(lockHolder);
        }
        return WriteFailure(path, error);
    };

    if (const int error = WriteAll(ops, temporary.fd, bytes); error != 0) {
        return failAndClean(error, true);
    }
    if (ops.fchmod(temporary.fd, TargetMode(file)) != 0 || ops.fsync(temporary.fd) != 0) {
        return failAndClean(errno, true);
    }
    if (temporary.name.empty()) {
        if (const int error = NameTemporary(ops, folder, temporary); error != 0) {
            return failAndClean(error, true);
        }
    }
    // The lock stays on a second descriptor until the rename: once the first is closed, another save's
    // clean-up must still see the named file as taken.
    lockHolder = ::fcntl(temporary.fd, F_DUPFD_CLOEXEC, 0);
    if (ops.close(temporary.fd) != 0) {
        return failAndClean(errno, false);
    }
    if (ops.rename(temporary.name.c_str(), file.c_str()) != 0) {
        return failAndClean(errno, false);
    }
    ::close(lockHolder);
    FlushFolder(ops, folder);  // the file is in place: a folder that cannot be flushed is no reason to fail
    return std::nullopt;
}

void SettleInterruptedWrite(const std::string& path) {
    SettleLeftOverCopy(ReplacedFile(path), SystemFileSystem());
}

}  // namespace tessaroven
