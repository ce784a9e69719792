// The display check before the windowing toolkit starts.
#include "app/display_check.h"

#include <cstdio>
#include <cstdlib>

#include "messages/catalogue.h"

namespace tessaroven {

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

}  // namespace

bool DisplayAvailable() {
#if defined(__linux__) || defined(__FreeBSD__)
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

void ReportNoDisplay() {
    std::fprintf(stderr, "%s\n", Message(Reason::NoDisplay).c_str());
}

}  // namespace tessaroven
