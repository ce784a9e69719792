// Names and errors on Windows: UTF-8 names turned into the system's UTF-16, the system's error codes as the
// catalogue's texts, and the kinds of name Windows reads in its own way.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tessaroven {

// path (UTF-8) as UTF-16, or nothing when its bytes are not UTF-8.
std::optional<std::wstring> WidePath(const std::string& path);

// A GetLastError() code as the catalogue's text: the reason that means the same, "system error N" else.
std::string WindowsErrorText(DWORD code);

// Whether path names a device rather than a file: any \\.\ name, or NUL, CON, PRN, AUX, COM1-9, LPT1-9,
// CONIN$, CONOUT$ as the last part of a name, with or without an extension, as Windows reads such names.
bool IsDeviceName(const std::wstring& path);

// Whether the name ends in a separator, so that it names a folder.
bool EndsInSeparator(const std::string& path);

// The folder part of path with its separator, "C:" for "C:name", "" for a name alone.
std::wstring FolderPart(const std::wstring& path);

}  // namespace tessaroven
