// Writes src/formats/cp932_table.inc: code page 932 as glibc's iconv converter maps it, so that the program
// writes the same bytes on every system without iconv. Asks the converter about every single byte, every
// pair of bytes and every Unicode scalar value, and stops with a message on anything the table's layout
// cannot hold (a character beyond U+FFFF, a pair outside the trail bytes 0x40..0xFC, a lead byte that also
// decodes alone). Run it from the source folder:
//   cmake --build build/dev --target tessaroven_cp932_tables
//   build/dev/tools/tessaroven_cp932_tables > src/formats/cp932_table.inc
#include <gnu/libc-version.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastTrail = 0xFC;
constexpr char16_t kLeadByte = 0xFFFE;
constexpr char16_t kNoCharacter = 0xFFFF;

[[noreturn]] void Fail(const char* what, unsigned value) {
    std::fprintf(stderr, "tessaroven_cp932_tables: %s (0x%04X)\n", what, value);
    std::exit(1);
}

class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            Fail("iconv has no code page 932", 0);
        }
    }
    ~Converter() { iconv_close(m_cd); }

    // The converted bytes; nullopt with the reason in `error` (EINVAL: the input ends inside a sequence).
    std::optional<std::string> operator()(const std::string& input, int& error) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buffer[32];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(m_cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            error = errno;
            return std::nullopt;
        }
        error = 0;
        return std::string(buffer, out);
    }

private:
    iconv_t m_cd;
};

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// The one BMP character that `utf8` holds; stops when it holds more or another.
char16_t OneCharacter(const std::string& utf8, unsigned code) {
    const auto byte = [&utf8](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    char32_t c = 0;
    if (utf8.size() == 1 && byte(0) < 0x80) {
        c = byte(0);
    } else if (utf8.size() == 2 && (byte(0) & 0xE0) == 0xC0) {
        c = (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F);
    } else if (utf8.size() == 3 && (byte(0) & 0xF0) == 0xE0) {
        c = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
    } else {
        Fail("a code decodes to more than one character or beyond U+FFFF", code);
    }
    if (Utf8(c) != utf8 || c == kLeadByte || c == kNoCharacter) {
        Fail("a code decodes to a malformed character or a marker of the table", code);
    }
    return static_cast<char16_t>(c);
}

// Written as itself where an editor shows it plainly; by its code where it is a control character, a space,
// a private-use character or ASCII (which would need escaping in a string literal).
std::string InLiteral(char16_t c) {
    if (c < 0xA0 || c == 0x3000 || (c >= 0xE000 && c <= 0xF8FF) || c >= 0xFFF0) {
        char code[8];
        std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
        return code;
    }
    return Utf8(c);
}

}  // namespace

int main() {
    Converter decode("UTF-8", "CP932");
    Converter encode("CP932", "UTF-8");
    int error = 0;

    std::array<char16_t, 256> singles{};
    std::map<unsigned, char16_t> decoded;  // code (a byte, or lead * 256 + trail) -> character
    for (unsigned b = 0; b < 256; ++b) {
        const auto text = decode(std::string(1, static_cast<char>(b)), error);
        singles[b] = text ? OneCharacter(*text, b) : error == EINVAL ? kLeadByte : kNoCharacter;
        if (text) {
            decoded[b] = singles[b];
        }
    }
    for (unsigned lead = 0; lead < 256; ++lead) {
        if (singles[lead] != kLeadByte) {
            continue;
        }
        for (unsigned trail = 0; trail < 256; ++trail) {
            const unsigned code = lead << 8 | trail;
            const auto text = decode({static_cast<char>(lead), static_cast<char>(trail)}, error);
            if (!text) {
                continue;
            }
            if (trail < kFirstTrail || trail > kLastTrail) {
                Fail("a pair with a trail byte outside 0x40..0xFC decodes", code);
            }
            decoded[code] = OneCharacter(*text, code);
        }
    }

    std::map<char16_t, unsigned> encoded;  // character -> code
    std::vector<char32_t> dropped;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const auto bytes = encode(Utf8(c), error);
        if (!bytes) {
            continue;
        }
        if (bytes->empty()) {
            dropped.push_back(c);
            continue;
        }
        if (c > 0xFFFF || bytes->size() > 2) {
            Fail("a character beyond U+FFFF or of more than two bytes encodes", static_cast<unsigned>(c));
        }
        unsigned code = 0;
        for (unsigned char byte : *bytes) {
            code = code << 8 | byte;
        }
        encoded[static_cast<char16_t>(c)] = code;
    }

    // Encoding writes each decoded pair (character, code) back except where the character has another code;
    // those codes, and the characters that encode to a code decoding to something else, are listed apart.
    std::vector<unsigned> decodeOnly;
    for (const auto& [code, c] : decoded) {
        const auto it = encoded.find(c);
        if (it == encoded.end() || it->second != code) {
            decodeOnly.push_back(code);
        }
    }
    std::vector<std::pair<char16_t, unsigned>> encodeOnly;
    for (const auto& [c, code] : encoded) {
        const auto it = decoded.find(code);
        if (it == decoded.end() || it->second != c) {
            encodeOnly.emplace_back(c, code);
        }
    }

    std::printf(
        "// Code page 932 as the iconv converter of glibc %s maps it. Generated by tools/cp932_tables.cpp;\n",
        gnu_get_libc_version());
    std::printf(
        "// do not edit. Regenerate from the source folder:\n"
        "//   cmake --build build/dev --target tessaroven_cp932_tables\n"
        "//   build/dev/tools/tessaroven_cp932_tables > src/formats/cp932_table.inc\n"
        "// %zu codes decode, %zu characters encode; glibc writes nothing for the %zu characters "
        "U+%04X..U+%04X.\n\n",
        decoded.size(), encoded.size(), dropped.size(),
        dropped.empty() ? 0u : static_cast<unsigned>(dropped.front()),
        dropped.empty() ? 0u : static_cast<unsigned>(dropped.back()));
    std::printf("constexpr char16_t kLeadByte = 0x%04X;\nconstexpr char16_t kNoCharacter = 0x%04X;\n",
                static_cast<unsigned>(kLeadByte), static_cast<unsigned>(kNoCharacter));
    std::printf("constexpr unsigned kFirstTrail = 0x%02X;\nconstexpr unsigned kLastTrail = 0x%02X;\n",
                kFirstTrail, kLastTrail);
    std::printf("constexpr std::size_t kEncodedCount = %zu;\n\n", encoded.size());

    std::printf(
        "// Each single byte's character; kLeadByte where the byte starts a pair, kNoCharacter where it is "
        "invalid.\nconstexpr char16_t kSingleBytes[256] = {\n");
    for (unsigned b = 0; b < 256; ++b) {
        std::printf("%s0x%04X,%s", b % 8 == 0 ? "    " : " ", static_cast<unsigned>(singles[b]),
                    b % 8 == 7 ? "\n" : "");
    }
    std::printf(
        "};\n\n// The characters of each lead byte's pairs, one row per lead byte in byte order, for the "
        "trail "
        "bytes\n// 0x%02X..0x%02X; kNoCharacter where the pair is invalid.\n"
        "constexpr std::u16string_view kPairRows[] = {\n",
        kFirstTrail, kLastTrail);
    for (unsigned lead = 0; lead < 256; ++lead) {
        if (singles[lead] != kLeadByte) {
            continue;
        }
        for (unsigned trail = kFirstTrail; trail <= kLastTrail; ++trail) {
            if (trail % 16 == 0) {
                std::printf("    /* %04X */ u\"", lead << 8 | trail);
            }
            const auto it = decoded.find(lead << 8 | trail);
            std::printf("%s", InLiteral(it == decoded.end() ? kNoCharacter : it->second).c_str());
            if (trail % 16 == 15 || trail == kLastTrail) {
                std::printf("\"%s\n", trail == kLastTrail ? "," : "");
            }
        }
    }
    std::printf(
        "};\n\n// Codes that decode but that encoding never writes: their character is written as another "
        "code.\nconstexpr std::uint16_t kDecodeOnlyCodes[] = {\n");
    for (std::size_t i = 0; i < decodeOnly.size(); ++i) {
        std::printf("%s0x%04X,%s", i % 10 == 0 ? "    " : " ", decodeOnly[i],
                    i % 10 == 9 || i + 1 == decodeOnly.size() ? "\n" : "");
    }
    std::printf(
        "};\n\n// Characters that encode to a code which decodes to another character: {character, code}.\n"
        "constexpr std::uint16_t kEncodeOnly[][2] = {\n");
    for (const auto& [c, code] : encodeOnly) {
        std::printf("    {0x%04X, 0x%04X},\n", static_cast<unsigned>(c), code);
    }
    std::printf("};\n");
    return 0;
}
