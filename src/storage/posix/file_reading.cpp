// Reading a whole file, after repairing what an interrupted in-place save of it left.
#include "storage/storage.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "messages/system_error_text.h"
#include "storage/posix/in_place_write.h"

namespace tessaroven {

FileBytes ReadWholeFile(const std::string& path, std::size_t limit) {
    FileBytes file;
    SettleInterruptedWrite(path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        file.error = SystemErrorText(errno);
        return file;
    }
    // An in-place save of the file holds it locked: the read waits for it to end (or gives up after a while
    // and reads what is there).
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        LockFile(fd, LOCK_SH);
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            file.error = SystemErrorText(errno);
            break;
        }
        if (got == 0) {
            break;
        }
        file.bytes.append(buffer, static_cast<std::size_t>(got));
        if (file.bytes.size() > limit) {
            file.tooLarge = true;
            break;
        }
    }
    ::close(fd);
    return file;
}

}  // namespace tessaroven
