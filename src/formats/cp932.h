// Code page 932 (Shift-JIS with the Windows extensions), the encoding of the result file, from a table made
// from glibc's converter: the same bytes on every system, with no iconv.
#pragma once

#include <string>
#include <string_view>

#include "messages/outcome.h"

namespace tessaroven {

// Encodes UTF-8 text. Refused with a message naming the first character that code page 932 cannot represent
// (nothing is replaced by "?"), or when the text is not valid UTF-8.
Expected<std::string> EncodeCp932(std::string_view utf8);

// The text with the characters code page 932 lacks but whose twin it holds replaced by that twin (micro sign
// -> Greek mu, A with ring -> angstrom sign, ohm sign -> Greek omega): what an encoded text reads back as.
std::string WithCp932Twins(std::string_view utf8);

// Decodes code page 932 bytes to UTF-8 (for reading back what was written). Refused for invalid bytes.
Expected<std::string> DecodeCp932(std::string_view bytes);

}  // namespace tessaroven
