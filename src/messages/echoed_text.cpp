// Escaping and cutting outside text for messages.
#include "messages/echoed_text.h"

#include <algorithm>

namespace tessaroven {

namespace {

// C0 and DEL as single bytes; C1 (U+0080 to U+009F) as C2 80 to C2 9F, which a terminal may take as CSI
// and the like just as it takes ESC [.
bool IsControl(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    return lead < 0x20 || lead == 0x7F || (lead == 0xC2 && static_cast<unsigned char>(sequence[1]) <= 0x9F);
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    // The second byte's range excludes overlong forms, surrogates and code points above U+10FFFF.
    const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(text[at + k]);
        if (k == 1 ? (byte < low || byte > high) : (byte & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string EchoedText(std::string_view text, std::size_t maxCharacters) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string echoed;
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (characters == maxCharacters) {
            return echoed.append("…");
        }
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0 || IsControl(text.substr(i, length))) {
            for (std::size_t k = 0; k < std::max<std::size_t>(length, 1); ++k) {
                const auto byte = static_cast<unsigned char>(text[i + k]);
                echoed.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
            }
        } else {
            echoed.append(text.substr(i, length));
        }
        i += std::max<std::size_t>(length, 1);
        ++characters;
    }
    return echoed;
}

}  // namespace tessaroven
