// The system's error codes (errno) as the catalogue's texts, so that a file that cannot be read or written is
// explained in the user's language rather than in the C library's English.
#pragma once

#include <string>

#include "messages/catalogue.h"

namespace tessaroven {

// The text for code: the catalogue's reason for the common codes, "system error N" for the others.
std::string SystemErrorText(int code, Language language = MessageLanguage());

}  // namespace tessaroven
