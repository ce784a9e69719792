// The converter's start on Windows. The arguments come from the system's UTF-16 command line, since argv
// holds them in the ANSI code page, which loses every character outside it (a Japanese comment or file name
// on a system set to another language). Standard input and output are put into binary mode, or the C library
// would turn the CSV's CR LF into CR CR LF. Messages, and the UTF-8 texts of standard output (the usage, the
// result list), go to the console as UTF-16 (WriteConsoleW) when the stream is one, as the console would show
// UTF-8 bytes in its own code page (932 on a Japanese system); redirected, they stay UTF-8. The CSV keeps its
// code page 932 bytes either way.
#include <windows.h>
// Needs windows.h before it.
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <streambuf>

#include "cli/console_start.h"
#include "messages/echoed_text.h"

namespace tessaroven {
namespace {

std::string Utf8Of(const wchar_t* text) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back();  // the terminating NUL
    return utf8;
}

// Writes UTF-8 to a console as UTF-16. A character split between two writes waits for its remaining bytes.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(HANDLE console) : m_console(console) {}

protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            m_pending += traits_type::to_char_type(c);
            Show();
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize size) override {
        m_pending.append(text, static_cast<std::size_t>(size));
        Show();
        return size;
    }

private:
    void Show() {
        std::size_t complete = 0;
        while (complete < m_pending.size()) {
            const std::size_t length = Utf8SequenceLength(m_pending, complete);
            if (length == 0 && m_pending.size() - complete < 4) {
                break;  // perhaps the start of a character whose other bytes follow
            }
            complete += length == 0 ? 1 : length;
        }
        const int size = static_cast<int>(complete);
        const int length = ::MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), size, nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), size, wide.data(), length);
        DWORD written = 0;
        ::WriteConsoleW(m_console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        m_pending.erase(0, complete);
    }

    HANDLE m_console;
    std::string m_pending;
};

}  // namespace

ConsoleStart StartConsole(int, char**) {
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);

    std::vector<std::string> arguments;
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) {
            arguments.push_back(Utf8Of(wide[i]));
        }
        ::LocalFree(wide);
    }

    const auto isConsole = [](HANDLE handle) {
        DWORD mode = 0;
        return handle != INVALID_HANDLE_VALUE && handle != nullptr && ::GetConsoleMode(handle, &mode);
    };
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    static ConsoleBuffer outputBuffer(output);
    static ConsoleBuffer errorBuffer(error);
    static std::ostream outputConsole(&outputBuffer);
    static std::ostream errorConsole(&errorBuffer);
    return {std::move(arguments), isConsole(error) ? errorConsole : std::cerr,
            isConsole(output) ? &outputConsole : nullptr};
}

}  // namespace tessaroven
