// The in-place write with its copy of the old contents, and the repair of an interrupted one.
#include "storage/posix/in_place_write.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <thread>

#include "messages/system_error_text.h"

namespace tessaroven {
namespace {

// The copy starts with one line, "tessaroven old copy OLD NEW HASH": the lengths of the old and the new
// contents and a hash of both, which follow, old first. A copy cut short or garbled by the disk fails the
// hash; a person can take the old contents out with tail -c +(header length + 1) | head -c OLD.
constexpr std::string_view kCopyMagic = "tessaroven old copy ";
constexpr std::string_view kCopySuffix = ".tessaroven-old";

Refusal WriteFailure(const std::string& path, int error) {
    return Refuse(Reason::FileWriteFailed, {path, SystemErrorText(error)});
}

// FNV-1a, 64 bits: enough to tell a complete copy from one the disk did not finish.
std::uint64_t HashOf(std::string_view first, std::string_view second) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const std::string_view part : {first, second}) {
        for (const char c : part) {
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
        }
    }
    return hash;
}

std::string CopyHeader(std::string_view old, std::string_view bytes) {
    char hash[17];
    const auto end = std::to_chars(hash, hash + 16, HashOf(old, bytes), 16).ptr;
    return std::string(kCopyMagic) + std::to_string(old.size()) + " " + std::to_string(bytes.size()) + " " +
           std::string(hash, end) + "\n";
}

struct CopyContents {
    std::string_view old;
    std::string_view bytes;
};

// The old and new contents a copy holds, or false when it is not a complete copy.
bool ParseCopy(std::string_view copy, CopyContents& contents) {
    const std::size_t lineEnd = copy.find('\n');
    if (!copy.starts_with(kCopyMagic) || lineEnd == std::string_view::npos) {
        return false;
    }
    std::size_t oldSize = 0;
    std::size_t newSize = 0;
    std::uint64_t hash = 0;
    const char* at = copy.data() + kCopyMagic.size();
    const char* end = copy.data() + lineEnd;
    auto read = [&](auto& value, int base) {
        const auto [next, error] = std::from_chars(at, end, value, base);
        at = next + (next < end && *next == ' ' ? 1 : 0);
        return error == std::errc();
    };
    if (!read(oldSize, 10) || !read(newSize, 10) || !read(hash, 16) || at != end) {
        return false;
    }
    const std::string_view body = copy.substr(lineEnd + 1);
    if (body.size() != oldSize + newSize) {
        return false;
    }
    contents = {body.substr(0, oldSize), body.substr(oldSize)};
    return HashOf(contents.old, contents.bytes) == hash;
}

// Whether now is what an interrupted overwrite of old by bytes can leave: every byte the old or the new one
// at its place, or 0 (a block whose data the disk never got before the power went), and a length the write
// passes through. Anything else is taken for a later change by another program and left alone.
bool IsTornBetween(std::string_view now, std::string_view old, std::string_view bytes) {
    if (now.size() < std::min(old.size(), bytes.size()) || now.size() > std::max(old.size(), bytes.size())) {
        return false;
    }
    for (std::size_t i = 0; i < now.size(); ++i) {
        const char c = now[i];
        if (c != 0 && !(i < old.size() && c == old[i]) && !(i < bytes.size() && c == bytes[i])) {
            return false;
        }
    }
    return true;
}

// The folder part of file with its slash ("" for a name alone), and the name.
std::pair<std::string, std::string> SplitAtName(const std::string& file) {
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos) {
        return {"", file};
    }
    return {file.substr(0, slash + 1), file.substr(slash + 1)};
}

std::string BesideCopyPath(const std::string& file) {
    const auto [folder, name] = SplitAtName(file);
    return folder + "." + name + std::string(kCopySuffix);
}

// The user's state folder for the program, or "" when neither XDG_STATE_HOME nor HOME names one.
std::string StateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/tessaroven";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/state/tessaroven";
    }
    return {};
}

// Named after the file's device and inode, which every name of the file shares.
std::string StateCopyPath(const struct stat& identity) {
    const std::string folder = StateFolder();
    if (folder.empty()) {
        return {};
    }
    return folder + "/old-" + std::to_string(identity.st_dev) + "-" + std::to_string(identity.st_ino);
}

// Makes the folder and those above it that are missing, for the user alone.
void MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0700);
        if (slash == std::string::npos) {
            return;
        }
    }
}

// Writes all of bytes, at the file's position or, given one, at offset; 0 or the error. A write that takes
// nothing counts as a full disk, so that the loop always ends.
int WriteWhole(const FileSystemOps& ops, int fd, std::string_view bytes, std::optional<off_t> offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const char* from = bytes.data() + done;
        const std::size_t left = bytes.size() - done;
        const ssize_t written = offset ? ops.pwrite(fd, from, left, *offset + static_cast<off_t>(done))
                                       : ops.write(fd, from, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written == 0 ? ENOSPC : errno;
        }
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

int WriteAllAt(const FileSystemOps& ops, int fd, std::string_view bytes, off_t offset) {
    return WriteWhole(ops, fd, bytes, offset);
}

// The whole contents of the open file; false with errno set when it cannot be read.
bool ReadAll(const FileSystemOps& ops, int fd, std::string& contents) {
    contents.clear();
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

// Puts contents back into the open file and flushes it; whether that worked.
bool Restore(const FileSystemOps& ops, int fd, std::string_view contents) {
    struct stat info;
    const auto size = static_cast<off_t>(contents.size());
    return WriteAllAt(ops, fd, contents, 0) == 0 &&
           ((::fstat(fd, &info) == 0 && info.st_size == size) || ops.ftruncate(fd, size) == 0) &&
           ops.fsync(fd) == 0;
}

// The contents of a copy at place that the user's own writer made, or false when there is none.
bool ReadOwnCopy(const FileSystemOps& ops, const std::string& place, std::string& copy) {
    // Another user's file there is no copy of ours: trusting it would let them choose the "old" contents.
    const int fd = ::open(place.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    const bool own = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
    const bool read = own && ReadAll(ops, fd, copy);
    ::close(fd);
    return read;
}

// With fd open for reading and writing and locked: for each copy left for the file, puts the old contents
// back when the file is torn between them and the new ones, and removes the copy. A copy that is not complete
// was still being written, so the file was not yet touched. A copy whose repair fails stays for the next
// attempt.
void SettleCopies(const FileSystemOps& ops, int fd, const std::string& file) {
    struct stat identity;
    if (::fstat(fd, &identity) != 0) {
        return;
    }
    for (const std::string& place : {BesideCopyPath(file), StateCopyPath(identity)}) {
        std::string copy;
        if (place.empty() || !ReadOwnCopy(ops, place, copy)) {
            continue;
        }
        CopyContents contents;
        std::string now;
        if (ParseCopy(copy, contents)) {
            if (!ReadAll(ops, fd, now)) {
                continue;
            }
            if (now != contents.old && now != contents.bytes &&
                IsTornBetween(now, contents.old, contents.bytes) && !Restore(ops, fd, contents.old)) {
                continue;
            }
        }
        ops.unlink(place.c_str());
    }
}

// Writes the copy of old and bytes for the file open as fd, beside it or else in the state folder, flushed
// with its folder. The copy's path, or the refusal's reason.
Expected<std::string> KeepOldCopy(const FileSystemOps& ops, const std::string& file, int fd,
                                  std::string_view old, std::string_view bytes) {
    struct stat identity;
    if (::fstat(fd, &identity) != 0) {
        return Refuse(Reason::WriteOldCopyFailed, {file, SystemErrorText(errno)});
    }
    const std::string header = CopyHeader(old, bytes);
    const std::string beside = BesideCopyPath(file);
    std::string place;
    int error = 0;
    for (const std::string& candidate : {beside, StateCopyPath(identity)}) {
        if (candidate.empty()) {
            continue;
        }
        place = candidate;
        if (candidate != beside) {
            MakeFolders(SplitAtName(candidate).first);
        }
        const int copy = ops.createNew(candidate.c_str(), 0600);
        if (copy < 0) {
            error = errno;
            continue;  // a folder that takes no new file, a name too long, another user's file there
        }
        error = WriteAll(ops, copy, header);
        error = error != 0 ? error : WriteAll(ops, copy, old);
        error = error != 0 ? error : WriteAll(ops, copy, bytes);
        error = error != 0 || ops.fsync(copy) == 0 ? error : errno;
        const bool closed = ops.close(copy) == 0;
        error = error != 0 || closed ? error : errno;
        error = error != 0 ? error : FlushFolder(ops, SplitAtName(candidate).first);
        if (error == 0) {
            return candidate;
        }
        ops.unlink(candidate.c_str());
        break;
    }
    return Refuse(Reason::WriteOldCopyFailed, {place, SystemErrorText(error)});
}

// The in-place write once the file is open, locked and read: the copy first, then the new contents.
MaybeRefusal Overwrite(const std::string& path, const std::string& file, int fd, std::string_view old,
                       std::string_view bytes, const FileSystemOps& ops) {
    const Expected<std::string> copy = KeepOldCopy(ops, file, fd, old, bytes);
    if (!copy) {
        return Refuse(Reason::FileWriteFailed, {path, copy.error().message});
    }
    int error = WriteAllAt(ops, fd, bytes, 0);
    if (error == 0 && bytes.size() < old.size() && ops.ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
        error = errno;
    }
    if (error == 0 && ops.fsync(fd) != 0) {
        error = errno;
    }
    if (error != 0) {
        if (Restore(ops, fd, old)) {
            ops.unlink(copy->c_str());
        }
        return WriteFailure(path, error);
    }
    ops.unlink(copy->c_str());
    return std::nullopt;
}

}  // namespace

int WriteAll(const FileSystemOps& ops, int fd, std::string_view bytes) {
    return WriteWhole(ops, fd, bytes, std::nullopt);
}

int FlushFolder(const FileSystemOps& ops, const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int error = ops.fsync(fd) == 0 ? 0 : errno;
    ops.close(fd);
    return error == EINVAL || error == EROFS ? 0 : error;
}

bool LockFile(int fd, int operation) {
    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (::flock(fd, operation | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return true;  // no locks here (ENOLCK, EINVAL): as before locks were taken
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

void SettleLeftOverCopy(const std::string& file, const FileSystemOps& ops) {
    struct stat identity;
    struct stat any;
    if (::stat(file.c_str(), &identity) != 0 || !S_ISREG(identity.st_mode)) {
        return;
    }
    const std::string state = StateCopyPath(identity);
    if (::lstat(BesideCopyPath(file).c_str(), &any) != 0 &&
        (state.empty() || ::lstat(state.c_str(), &any) != 0)) {
        return;
    }
    const int fd = ops.openExisting(file.c_str());
    if (fd < 0) {
        return;  // a file the user may not write cannot be repaired by them
    }
    if (LockFile(fd, LOCK_EX)) {
        SettleCopies(ops, fd, file);
    }
    ops.close(fd);
}

MaybeRefusal WriteInPlace(const std::string& path, const std::string& file, std::string_view bytes,
                          const FileSystemOps& ops) {
    const int fd = ops.openExisting(file.c_str());
    if (fd < 0) {
        return WriteFailure(path, errno);
    }
    if (!LockFile(fd, LOCK_EX)) {
        ops.close(fd);
        return Refuse(Reason::FileWriteFailed, {path, Message(Reason::WriteFileLocked)});
    }
    SettleCopies(ops, fd, file);
    // The old contents, held until the close has reported how the write-back went.
    std::string old;
    if (!ReadAll(ops, fd, old)) {
        const int error = errno;
        ops.close(fd);
        return WriteFailure(path, error);
    }
    if (auto refusal = Overwrite(path, file, fd, old, bytes, ops)) {
        ops.close(fd);
        return refusal;
    }
    if (ops.close(fd) != 0) {
        // A late write-back error: the new bytes may not all have reached the disk.
        const int error = errno;
        const int again = ops.openExisting(file.c_str());
        if (again >= 0) {
            if (LockFile(again, LOCK_EX)) {
                Restore(ops, again, old);
            }
            ops.close(again);
        }
        return WriteFailure(path, error);
    }
    return std::nullopt;
}

}  // namespace tessaroven
