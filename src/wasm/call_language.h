// The language of one call from JavaScript: each call names its own, and the one before it comes back at the
// call's end, so that calls in different languages never leave one behind for the next.
#pragma once

#include <string>

#include "messages/catalogue.h"

namespace tessaroven {

struct CallLanguage {
    Language before = MessageLanguage();
    explicit CallLanguage(const std::string& code) { SetMessageLanguage(LanguageNamed(code).value_or(before)); }
    ~CallLanguage() { SetMessageLanguage(before); }
    CallLanguage(const CallLanguage&) = delete;
    CallLanguage& operator=(const CallLanguage&) = delete;
};

}  // namespace tessaroven
