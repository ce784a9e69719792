// Which catalogue reason explains which system error code.
#include "messages/system_error_text.h"

#include <cerrno>
#include <string_view>

namespace tessaroven {

std::string SystemErrorText(int code, Language language) {
    struct Entry {
        int code;
        Reason reason;
    };
    // EWOULDBLOCK is EAGAIN on Linux, but not everywhere the core is built; Windows' C library has no EDQUOT
    // (its file systems report a full quota through their own codes).
    static constexpr Entry kReasons[] = {
        {ENOENT, Reason::SystemErrorNoEntry},           {EACCES, Reason::SystemErrorAccessDenied},
        {EPERM, Reason::SystemErrorNotPermitted},       {ENOSPC, Reason::SystemErrorDiskFull},
#ifdef EDQUOT
        {EDQUOT, Reason::SystemErrorQuotaExceeded},
#endif
        {EROFS, Reason::SystemErrorReadOnly},           {EISDIR, Reason::SystemErrorIsFolder},
        {ENOTDIR, Reason::SystemErrorNotFolder},        {EEXIST, Reason::SystemErrorExists},
        {ENAMETOOLONG, Reason::SystemErrorNameTooLong}, {ELOOP, Reason::SystemErrorLinkLoop},
        {EIO, Reason::SystemErrorInputOutput},          {EBUSY, Reason::SystemErrorBusy},
        {ETXTBSY, Reason::SystemErrorProgramRunning},   {EMFILE, Reason::SystemErrorTooManyOpen},
        {ENFILE, Reason::SystemErrorTooManyOpen},       {EFBIG, Reason::SystemErrorFileTooLarge},
        {EXDEV, Reason::SystemErrorAcrossDevices},      {EAGAIN, Reason::SystemErrorTryAgain},
        {EWOULDBLOCK, Reason::SystemErrorTryAgain},
    };
    for (const Entry& entry : kReasons) {
        if (entry.code == code) {
            return std::string(MessageText(entry.reason, language));
        }
    }
    const std::string_view other = MessageText(Reason::SystemErrorOther, language);
    const std::size_t at = other.find("{1}");
    return std::string(other.substr(0, at)) + std::to_string(code) + std::string(other.substr(at + 3));
}

}  // namespace tessaroven
