// The storage seam over MemoryFiles(): the refusals of the system's storage where they have a meaning here
// (no such file, a folder, too large), in the same words.
#include "storage/memory/memory_storage.h"

#include <cerrno>
#include <string_view>

#include "messages/echoed_text.h"
#include "messages/system_error_text.h"
#include "storage/storage.h"

namespace tessaroven {

namespace {

// "./a.csv" and "a.csv" name the same file.
std::string_view Plain(std::string_view path) {
    while (path.starts_with("./")) {
        path.remove_prefix(2);
    }
    return path;
}

bool IsFolder(std::string_view path) {
    const std::string prefix = std::string(Plain(path)) + "/";
    const auto next = MemoryFiles().lower_bound(prefix);
    return next != MemoryFiles().end() && next->first.starts_with(prefix);
}

Refusal Refused(const std::string& path, int error) {
    return Refuse(Reason::FileWriteFailed, {EchoedText(path, kWholeText), SystemErrorText(error)});
}

}  // namespace

std::map<std::string, std::string>& MemoryFiles() {
    static std::map<std::string, std::string> files;
    return files;
}

FileBytes ReadWholeFile(const std::string& path, std::size_t limit) {
    FileBytes file;
    const auto found = MemoryFiles().find(std::string(Plain(path)));
    if (found == MemoryFiles().end()) {
        file.error = SystemErrorText(IsFolder(path) ? EISDIR : ENOENT);
        return file;
    }
    file.tooLarge = found->second.size() > limit;
    file.bytes = file.tooLarge ? found->second.substr(0, limit + 1) : found->second;
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
    if (IsFolder(path)) {
        return Refuse(
            Reason::FileWriteFailed,
            {EchoedText(path, kWholeText), Message(Reason::WriteTargetFolder, {SystemErrorText(EISDIR)})});
    }
    return std::nullopt;
}

MaybeRefusal WriteFileSafely(const std::string& path, std::string_view bytes, const FileSystemOps&) {
    if (auto refusal = CheckWriteTarget(path)) {
        return refusal;
    }
    if (bytes.size() > kLargestMemoryFile) {
        return Refused(path, EFBIG);
    }
    MemoryFiles()[std::string(Plain(path))] = bytes;
    return std::nullopt;
}

void SettleInterruptedWrite(const std::string&) {}

bool SameWriteTarget(const std::string& first, const std::string& second) {
    return Plain(first) == Plain(second);
}

}  // namespace tessaroven
