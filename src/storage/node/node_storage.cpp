// The storage seam on node's fs module. Each call to the system is one small JavaScript function below; the
// decisions (what is refused, in which words) are made here in C++, as the POSIX implementation makes them.
#include "storage/node/node_storage.h"

#include <emscripten.h>

#include <cerrno>
#include <charconv>
#include <istream>
#include <optional>
#include <ostream>
#include <streambuf>
#include <string>

#include "messages/echoed_text.h"
#include "messages/system_error_text.h"

// Node's errors come as names: tessaroven_node_error_code (node_storage.js) turns one into the negative
// number that ErrorCode below turns into the module's errno.

// clang-format off

EM_JS(int, tessaroven_node_open_read, (const char* path), {
    try {
        return require('fs').openSync(UTF8ToString(path), 'r');
    } catch (e) {
        return tessaroven_node_error_code(e);
    }
});

// Reads up to size bytes of descriptor fd into data: their number, 0 at the end, or a negative error. A
// descriptor that is not ready (a terminal or pipe in non-blocking mode) is waited for.
EM_JS(int, tessaroven_node_read, (int fd, char* data, int size), {
    for (;;) {
        try {
            return require('fs').readSync(fd, HEAPU8, data, size, null);
        } catch (e) {
            if (e.code === 'EAGAIN') {
                Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 10);
                continue;
            }
            if (e.code === 'EOF') {
                return 0;
            }
            return tessaroven_node_error_code(e);
        }
    }
});

// Writes all size bytes at data to descriptor fd: 0, or a negative error.
EM_JS(int, tessaroven_node_write, (int fd, const char* data, int size), {
    const fs = require('fs');
    let done = 0;
    while (done < size) {
        try {
            done += fs.writeSync(fd, HEAPU8, data + done, size - done);
        } catch (e) {
            if (e.code === 'EAGAIN') {
                Atomics.wait(new Int32Array(new SharedArrayBuffer(4)), 0, 0, 10);
                continue;
            }
            return tessaroven_node_error_code(e);
        }
    }
    return 0;
});

EM_JS(void, tessaroven_node_close, (int fd), {
    try {
        require('fs').closeSync(fd);
    } catch (e) {
    }
});

// What the file at path is (through links when follow): 1 regular file, 2 folder, 3 character device or
// pipe, 4 socket or block device, 5 symbolic link; writable (1 when the user may write it, or, with parent,
// its folder may take a new file) and device and inode to tell files apart. A negative error when none.
EM_JS(int, tessaroven_node_stat, (const char* path, int follow, int* writable, double* identity), {
    const fs = require('fs');
    const name = UTF8ToString(path);
    try {
        const s = follow ? fs.statSync(name) : fs.lstatSync(name);
        let writes = 1;
        try {
            fs.accessSync(name, s.isDirectory() ? fs.constants.W_OK | fs.constants.X_OK : fs.constants.W_OK);
        } catch (e) {
            writes = 0;
        }
        HEAP32[writable >> 2] = writes && (s.mode & 0o222) != 0 ? 1 : 0;
        HEAPF64[identity >> 3] = s.dev;
        HEAPF64[(identity >> 3) + 1] = s.ino;
        return s.isFile() ? 1 : s.isDirectory() ? 2 : s.isCharacterDevice() || s.isFIFO() ? 3
                          : s.isSymbolicLink() ? 5 : 4;
    } catch (e) {
        return tessaroven_node_error_code(e);
    }
});

// Replaces the regular file at path (or creates it) with the size bytes at data: a temporary file in its
// folder, with the old file's permissions, written, flushed, closed and renamed over it; removed again when
// any step fails. With device set, path is a device or pipe, written straight. 0, or a negative error.
EM_JS(int, tessaroven_node_replace, (const char* path, const char* data, int size, int device), {
    const fs = require('fs');
    const pathModule = require('path');
    let target = UTF8ToString(path);
    let temporary = null;
    let fd = -1;
    try {
        if (device) {
            fd = fs.openSync(target, 'w');
        } else {
            try {
                target = fs.realpathSync(target);
            } catch (e) {
            }
            let mode = 0o666 & ~process.umask();
            try {
                mode = fs.statSync(target).mode & 0o7777;
            } catch (e) {
            }
            for (let attempt = 0; fd < 0; ++attempt) {
                temporary = pathModule.join(pathModule.dirname(target),
                                            '.tessaroven-' + Math.random().toString(36).slice(2, 8));
                try {
                    fd = fs.openSync(temporary, 'wx', 0o600);
                } catch (e) {
                    if (e.code !== 'EEXIST' || attempt > 100) {
                        temporary = null;
                        throw e;
                    }
                }
            }
            fs.fchmodSync(fd, mode);
        }
        let done = 0;
        while (done < size) {
            done += fs.writeSync(fd, HEAPU8, data + done, size - done);
        }
        if (!device) {
            fs.fsyncSync(fd);
        }
        fs.closeSync(fd);
        fd = -1;
        if (!device) {
            fs.renameSync(temporary, target);
        }
        return 0;
    } catch (e) {
        if (fd >= 0) {
            try { fs.closeSync(fd); } catch (ignored) {}
        }
        if (temporary !== null) {
            try { fs.unlinkSync(temporary); } catch (ignored) {}
        }
        return tessaroven_node_error_code(e);
    }
});

// Where the symbolic link at path leads, as written in it, into out (size bytes); its length, or -1.
EM_JS(int, tessaroven_node_read_link, (const char* path, char* out, int size), {
    try {
        const to = require('fs').readlinkSync(UTF8ToString(path));
        const length = lengthBytesUTF8(to);
        if (length + 1 > size) {
            return -1;
        }
        stringToUTF8(to, out, size);
        return length;
    } catch (e) {
        return -1;
    }
});

// Whether the process's descriptor fd is open on a regular file.
EM_JS(int, tessaroven_node_descriptor_is_file, (int fd), {
    try {
        return require('fs').fstatSync(fd).isFile() ? 1 : 0;
    } catch (e) {
        return 0;
    }
});

// The folder of path with links resolved, written into out (size bytes); its length, or -1.
EM_JS(int, tessaroven_node_real_folder, (const char* path, char* out, int size), {
    const pathModule = require('path');
    let folder = pathModule.dirname(UTF8ToString(path));
    try {
        folder = require('fs').realpathSync(folder);
    } catch (e) {
        folder = pathModule.resolve(folder);
    }
    const length = lengthBytesUTF8(folder);
    if (length + 1 > size) {
        return -1;
    }
    stringToUTF8(folder, out, size);
    return length;
});
// clang-format on

namespace tessaroven {

namespace {

// In the order of the names in node_storage.js.
constexpr int kNodeErrors[] = {ENOENT,  EACCES, EPERM,        ENOSPC, EDQUOT, EROFS, EISDIR,
                               ENOTDIR, EEXIST, ENAMETOOLONG, ELOOP,  EIO,    EBUSY, ETXTBSY,
                               EMFILE,  ENFILE, EFBIG,        EXDEV,  EAGAIN};

int ErrorCode(int result) {
    const int index = -result - 1;
    return index >= 0 && index < static_cast<int>(std::size(kNodeErrors)) ? kNodeErrors[index] : EIO;
}

enum Kind { kNone = 0, kRegular = 1, kFolder = 2, kDevice = 3, kOther = 4, kLink = 5 };

struct Look {
    int kind = kNone;  // or a negative error
    bool writable = false;
    double identity[2] = {0, 0};
};

Look LookAt(const std::string& path, bool follow) {
    Look look;
    int writable = 0;
    look.kind = tessaroven_node_stat(path.c_str(), follow ? 1 : 0, &writable, look.identity);
    look.writable = writable != 0;
    return look;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

Refusal Refused(const std::string& path, int error) {
    return Refuse(Reason::FileWriteFailed, {EchoedText(path, kWholeText), SystemErrorText(error)});
}

// The descriptor a name for one of the program's own open files stands for: /dev/stdout, /dev/stderr,
// /dev/fd/N, /proc/self/fd/N.
std::optional<int> OwnDescriptorNamed(const std::string& path) {
    if (path == "/dev/stdout" || path == "/dev/stderr") {
        return path == "/dev/stdout" ? 1 : 2;
    }
    for (const std::string_view folder : {std::string_view("/dev/fd/"), std::string_view("/proc/self/fd/")}) {
        if (path.size() > folder.size() && path.starts_with(folder)) {
            int fd = -1;
            const char* digits = path.c_str() + folder.size();
            const auto [end, error] = std::from_chars(digits, path.c_str() + path.size(), fd);
            if (error == std::errc() && end == path.c_str() + path.size()) {
                return fd;
            }
        }
    }
    return std::nullopt;
}

Refusal TargetRefused(const std::string& path, const std::string& why) {
    return Refuse(Reason::FileWriteFailed, {EchoedText(path, kWholeText), why});
}

class NodeInputBuffer : public std::streambuf {
protected:
    int_type underflow() override {
        const int got = tessaroven_node_read(0, m_buffer, sizeof m_buffer);
        if (got <= 0) {
            return traits_type::eof();
        }
        setg(m_buffer, m_buffer, m_buffer + got);
        return traits_type::to_int_type(m_buffer[0]);
    }

private:
    char m_buffer[1 << 16];
};

class NodeOutputBuffer : public std::streambuf {
public:
    explicit NodeOutputBuffer(int descriptor) : m_descriptor(descriptor) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        return tessaroven_node_write(m_descriptor, data, static_cast<int>(size)) == 0 ? size : 0;
    }
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) {
            return traits_type::not_eof(c);
        }
        const char byte = traits_type::to_char_type(c);
        return tessaroven_node_write(m_descriptor, &byte, 1) == 0 ? c : traits_type::eof();
    }

private:
    int m_descriptor;
};

// A stream that owns its buffer.
template <class Stream, class Buffer>
class OwningStream : public Stream {
public:
    template <class... Args>
    explicit OwningStream(Args... args) : Stream(nullptr), m_buffer(args...) {
        this->rdbuf(&m_buffer);
    }

private:
    Buffer m_buffer;
};

}  // namespace

std::unique_ptr<std::istream> NodeStandardInput() {
    return std::make_unique<OwningStream<std::istream, NodeInputBuffer>>();
}

std::unique_ptr<std::ostream> NodeStandardOutput(int descriptor) {
    return std::make_unique<OwningStream<std::ostream, NodeOutputBuffer>>(descriptor);
}

FileBytes ReadWholeFile(const std::string& path, std::size_t limit) {
    FileBytes file;
    const int fd = tessaroven_node_open_read(path.c_str());
    if (fd < 0) {
        file.error = SystemErrorText(ErrorCode(fd));
        return file;
    }
    char buffer[1 << 16];
    for (;;) {
        const int got = tessaroven_node_read(fd, buffer, sizeof buffer);
        if (got < 0) {
            file.error = SystemErrorText(ErrorCode(got));
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
    tessaroven_node_close(fd);
    return file;
}

const FileSystemOps& SystemFileSystem() {
    static const FileSystemOps ops;
    return ops;
}

MaybeRefusal CheckWriteTarget(const std::string& path) {
    if (path.empty() || path.back() == '/') {
        return Refused(path, path.empty() ? ENOENT : EISDIR);
    }
    const Look target = LookAt(path, true);
    if (target.kind < 0) {
        const bool link = LookAt(path, false).kind == kLink;
        if (link && ErrorCode(target.kind) == ELOOP) {
            return TargetRefused(path, Message(Reason::WriteLinkLoop, {SystemErrorText(ELOOP)}));
        }
        if (ErrorCode(target.kind) != ENOENT) {
            return Refused(path, ErrorCode(target.kind));
        }
        if (link) {
            // The missing file at the end of the chain, so that the user knows which file to create.
            std::string hop = path;
            for (int followed = 0; followed < 40 && LookAt(hop, false).kind == kLink; ++followed) {
                char to[4096];
                const int length = tessaroven_node_read_link(hop.c_str(), to, sizeof to);
                if (length <= 0) {
                    break;
                }
                const std::string text(to, static_cast<std::size_t>(length));
                hop = text.front() == '/' ? text : FolderOf(hop) + "/" + text;
            }
            return TargetRefused(path, Message(Reason::WriteLinkDangling, {EchoedText(hop, kWholeText)}));
        }
        const Look folder = LookAt(FolderOf(path), true);
        if (folder.kind < 0) {
            return Refused(path, ErrorCode(folder.kind));
        }
        if (folder.kind != kFolder) {
            return Refused(path, ENOTDIR);
        }
        return folder.writable ? MaybeRefusal() : Refused(path, EACCES);
    }
    switch (target.kind) {
        case kDevice:
            return std::nullopt;
        case kFolder:
            return TargetRefused(path, Message(Reason::WriteTargetFolder, {SystemErrorText(EISDIR)}));
        case kRegular:
            return target.writable ? MaybeRefusal() : Refused(path, EACCES);
        default:
            return TargetRefused(path, std::string(MessageText(Reason::WriteTargetSocket)));
    }
}

MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes, const FileSystemOps&) {
    // A regular file the program was handed open (`--output /dev/stdout >> log.csv`) is written through that
    // descriptor, as the POSIX writer does: renamed over, it would lose what `>>` kept, and the shell's
    // descriptor would be left on the old file.
    if (const std::optional<int> own = OwnDescriptorNamed(path);
        own && tessaroven_node_descriptor_is_file(*own) != 0) {
        const int result = tessaroven_node_write(*own, bytes.data(), static_cast<int>(bytes.size()));
        return result == 0 ? MaybeRefusal() : Refused(path, ErrorCode(result));
    }
    if (auto refusal = CheckWriteTarget(path)) {
        return refusal;
    }
    const bool device = LookAt(path, true).kind == kDevice;
    const int result =
        tessaroven_node_replace(path.c_str(), bytes.data(), static_cast<int>(bytes.size()), device ? 1 : 0);
    if (result != 0) {
        return Refuse(Reason::FileWriteFailed, {path, SystemErrorText(ErrorCode(result))});
    }
    return std::nullopt;
}

void SettleInterruptedWrite(const std::string&) {}

bool SameWriteTarget(const std::string& first, const std::string& second) {
    const Look a = LookAt(first, true);
    const Look b = LookAt(second, true);
    if (a.kind > 0 && b.kind > 0) {
        return a.kind == kRegular && b.kind == kRegular && a.identity[0] == b.identity[0] &&
               a.identity[1] == b.identity[1];
    }
    if (a.kind > 0 || b.kind > 0) {
        return false;
    }
    const auto name = [](const std::string& path) {
        char folder[4096];
        const int length = tessaroven_node_real_folder(path.c_str(), folder, sizeof folder);
        const std::size_t slash = path.rfind('/');
        return (length < 0 ? FolderOf(path) : std::string(folder, static_cast<std::size_t>(length))) + "/" +
               path.substr(slash == std::string::npos ? 0 : slash + 1);
    };
    return name(first) == name(second);
}

}  // namespace tessaroven
