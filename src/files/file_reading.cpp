// Reading a whole file.
#include "files/file_reading.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tessaroven {

FileBytes ReadWholeFile(const std::string& path, std::size_t limit) {
    FileBytes file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        file.error = std::generic_category().message(errno);
        return file;
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            file.error = std::generic_category().message(errno);
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
