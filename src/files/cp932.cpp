// Code page 932 through glibc's iconv.
#include "files/cp932.h"

#include <iconv.h>
#include <cerrno>
#include <cstdio>

namespace tessaroven {
namespace {

// Length of the well-formed UTF-8 sequence at s[i] and its code point; 0 when it is not well formed.
std::size_t Utf8Sequence(std::string_view s, std::size_t i, char32_t& codePoint) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    std::size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return 0;
    }
    return length;
}

std::string CharacterName(std::string_view character, char32_t codePoint) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F)) {  // C0, DEL and C1
        return Message(Reason::ControlCharacterName, {code});
    }
    return Message(Reason::CharacterName, {character, code});
}

// Converts with iconv; on an unconvertible input returns the offset of the offending sequence in `failedAt`.
bool Convert(const char* to, const char* from, std::string_view input, std::string& output,
             std::size_t& failedAt) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        failedAt = 0;
        return false;
    }
    output.assign(input.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            const std::size_t used = output.size() - outLeft;
            output.resize(output.size() * 2);
            out = output.data() + used;
            outLeft = output.size() - used;
            continue;
        }
        ok = false;
        failedAt = static_cast<std::size_t>(in - input.data());
        break;
    }
    output.resize(output.size() - outLeft);
    iconv_close(cd);
    return ok;
}

// Characters that code page 932 lacks but whose twin it holds, as UTF-8: the micro sign, the letter Å and the
// ohm sign are written as the Greek mu, the angstrom sign and the Greek omega. (glibc itself already takes
// the minus sign U+2212 and the wave dash U+301C.)
struct Twin {
    std::string_view from;
    std::string_view to;
};
constexpr Twin kTwins[] = {
    {"\u00B5", "\u03BC"},
    {"\u00C5", "\u212B"},
    {"\u2126", "\u03A9"},
};

}  // namespace

std::string WithCp932Twins(std::string_view utf8) {
    std::string mapped;
    mapped.reserve(utf8.size() + 8);
    for (std::size_t i = 0; i < utf8.size();) {
        bool replaced = false;
        for (const Twin& twin : kTwins) {
            if (utf8.substr(i, twin.from.size()) == twin.from) {
                mapped += twin.to;
                i += twin.from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            mapped += utf8[i++];
        }
    }
    return mapped;
}

namespace {

// What to write instead of a character code page 932 cannot hold, where a replacement is obvious; empty
// otherwise.
std::string Replacement(char32_t codePoint) {
    switch (codePoint) {
        case 0x00B2:  // superscript two, as in cm²
            return Message(Reason::TwoReplacements, {"2", "^2"});
        case 0x00B3:
            return Message(Reason::TwoReplacements, {"3", "^3"});
        case 0x00B9:
            return Message(Reason::OneReplacement, {"1"});
        case 0x00BD:
            return Message(Reason::OneReplacement, {"1/2"});
        case 0x00B7:  // middle dot
            return Message(Reason::OneReplacement, {"\u30FB"});
        case 0x2013:  // en dash
            return Message(Reason::OneReplacement, {"-"});
        case 0x20AC:
            return Message(Reason::OneReplacement, {"EUR"});
        case 0x2113:  // script small l, for litres
            return Message(Reason::OneReplacement, {"L"});
        default:
            return {};
    }
}

}  // namespace

Expected<std::string> EncodeCp932(std::string_view original) {
    const std::string twins = WithCp932Twins(original);
    const std::string_view utf8 = twins;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8Sequence(utf8, i, codePoint);
        if (length == 0) {
            return Refuse(Reason::InvalidText);
        }
        i += length;
    }
    std::string encoded;
    std::size_t failedAt = 0;
    if (Convert("CP932", "UTF-8", utf8, encoded, failedAt)) {
        return encoded;
    }
    char32_t codePoint = 0;
    const std::size_t length = failedAt < utf8.size() ? Utf8Sequence(utf8, failedAt, codePoint) : 0;
    if (length == 0) {
        return Refuse(Reason::UnrepresentableCharacter, {Message(Reason::UnknownCharacterName)});
    }
    const std::string name = CharacterName(utf8.substr(failedAt, length), codePoint);
    if (const std::string instead = Replacement(codePoint); !instead.empty()) {
        return Refuse(Reason::UnrepresentableCharacterWithReplacement, {name, instead});
    }
    return Refuse(Reason::UnrepresentableCharacter, {name});
}

Expected<std::string> DecodeCp932(std::string_view bytes) {
    std::string decoded;
    std::size_t failedAt = 0;
    if (Convert("UTF-8", "CP932", bytes, decoded, failedAt)) {
        return decoded;
    }
    return Refuse(Reason::InvalidText);
}

}  // namespace tessaroven
