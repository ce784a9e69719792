// The interposed system calls. This file includes no header that declares them, so the definitions below are
// the only declarations the compiler sees; the C library's own functions are reached through dlsym.
#include "io_faults.h"

#include <dlfcn.h>
#include <errno.h>
#include <sys/types.h>

#include <cstdarg>
#include <cstring>

namespace tessaroven::robustness {
namespace {

IoFault g_fault;
bool g_armed = false;
int g_temporaryFd = -1;  // the descriptor of the writer's temporary file, while it is open
IoFaultCounts g_counts;

template <class Function>
Function Real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool Fails(IoCall call) {
    return g_armed && g_fault.call == call;
}

int Fail() {
    ++g_counts.injected;
    errno = g_fault.error;
    return -1;
}

}  // namespace

void ArmIoFault(const IoFault& fault) {
    g_fault = fault;
    g_armed = true;
}

void DisarmIoFault() {
    g_armed = false;
}

IoFaultCounts TakeIoFaultCounts() {
    const IoFaultCounts counts = g_counts;
    g_counts = {};
    return counts;
}

}  // namespace tessaroven::robustness

using namespace tessaroven::robustness;

extern "C" int mkostemp(char* pathTemplate, int flags) {
    static const auto real = Real<int (*)(char*, int)>("mkostemp");
    if (Fails(IoCall::MakeTemp)) {
        return Fail();
    }
    const int fd = real(pathTemplate, flags);
    if (fd >= 0 && std::strstr(pathTemplate, ".tessaroven-") != nullptr) {
        g_temporaryFd = fd;
        ++g_counts.temporaryFilesCreated;
    }
    return fd;
}

// The writer's temporary file without a name (O_TMPFILE) counts as made by mkostemp. The flag's own bit, the
// same on every Linux architecture (O_TMPFILE adds O_DIRECTORY, whose value differs), found without the
// header that declares open.
extern "C" int open(const char* path, int flags, ...) {
    static const auto real = Real<int (*)(const char*, int, ...)>("open");
    constexpr int kTmpFileBit = 020000000;
    constexpr int kCreate = 0100;
    unsigned mode = 0;
    if ((flags & (kTmpFileBit | kCreate)) != 0) {
        va_list rest;
        va_start(rest, flags);
        mode = va_arg(rest, unsigned);
        va_end(rest);
    }
    if ((flags & kTmpFileBit) == 0) {
        return real(path, flags, mode);
    }
    if (Fails(IoCall::MakeTemp)) {
        return Fail();
    }
    const int fd = real(path, flags, mode);
    if (fd >= 0) {
        g_temporaryFd = fd;
        ++g_counts.temporaryFilesCreated;
    }
    return fd;
}

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static const auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
    if (fd == g_temporaryFd && Fails(IoCall::Write)) {
        if (g_fault.bytesBeforeFailure > 0) {
            const size_t part = size < g_fault.bytesBeforeFailure ? size : g_fault.bytesBeforeFailure;
            g_fault.bytesBeforeFailure -= part;
            return real(fd, data, part);
        }
        if (g_fault.writeReturnsZero) {
            ++g_counts.injected;
            return 0;
        }
        return Fail();
    }
    return real(fd, data, size);
}

extern "C" int fchmod(int fd, mode_t mode) noexcept {
    static const auto real = Real<int (*)(int, mode_t)>("fchmod");
    if (fd == g_temporaryFd && Fails(IoCall::Fchmod)) {
        return Fail();
    }
    return real(fd, mode);
}

extern "C" int fsync(int fd) {
    static const auto real = Real<int (*)(int)>("fsync");
    if (fd == g_temporaryFd && Fails(IoCall::Fsync)) {
        return Fail();
    }
    return real(fd);
}

extern "C" int close(int fd) {
    static const auto real = Real<int (*)(int)>("close");
    if (fd != g_temporaryFd || fd < 0) {
        return real(fd);
    }
    g_temporaryFd = -1;
    const int result = real(fd);
    // Like the kernel on a late write-back error: the descriptor is released, and the close reports failure.
    if (Fails(IoCall::Close)) {
        return Fail();
    }
    return result;
}

extern "C" int rename(const char* from, const char* to) noexcept {
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    const size_t length = std::strlen(to);
    if (Fails(IoCall::Rename) && length >= 4 && std::strcmp(to + length - 4, ".csv") == 0) {
        return Fail();
    }
    return real(from, to);
}
