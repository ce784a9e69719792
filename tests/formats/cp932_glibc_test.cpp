// The code page 932 table against glibc's iconv, which it was made from and which wrote every result file
// before it: every Unicode scalar value encoded, every byte and pair of bytes decoded.
#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>

#include "formats/cp932.h"

namespace tessaroven {
namespace {

class Glibc {
public:
    Glibc(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Glibc() { iconv_close(m_cd); }
    std::optional<std::string> operator()(const std::string& input) const {
        char buffer[32];
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(m_cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            return std::nullopt;
        }
        return std::string(buffer, out);
    }

private:
    iconv_t m_cd;
};

std::string Utf8(char32_t c) {
    const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
    if (c < 0x80) {
        return {byte(c)};
    } else if (c < 0x800) {
        return {byte(0xC0 | c >> 6), byte(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
        return {byte(0xE0 | c >> 12), byte(0x80 | (c >> 6 & 0x3F)), byte(0x80 | (c & 0x3F))};
    }
    return {byte(0xF0 | c >> 18), byte(0x80 | (c >> 12 & 0x3F)), byte(0x80 | (c >> 6 & 0x3F)),
            byte(0x80 | (c & 0x3F))};
}

TEST(Cp932, TableWritesAndReadsWhatGlibcDid) {
    const Glibc toCp932("CP932", "UTF-8");
    const Glibc fromCp932("UTF-8", "CP932");
    int mismatches = 0;
    const auto check = [&mismatches](bool same, const char* what, unsigned code) {
        if (!same && ++mismatches <= 10) {
            ADD_FAILURE() << what << std::hex << std::uppercase << code;
        }
    };
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const std::string text = Utf8(c);
        // The twins are written as their twin; glibc would write nothing at all for the tag characters.
        std::optional<std::string> expected = toCp932(WithCp932Twins(text));
        if (c >= 0xE0000 && c <= 0xE007F) {
            expected.reset();
        }
        const Expected<std::string> encoded = EncodeCp932(text);
        check(encoded ? expected == *encoded : !expected && encoded.error().reason != Reason::InvalidText,
              "encoding U+", c);
    }
    for (const unsigned length : {1u, 2u}) {
        for (unsigned code = 0; code < 1u << 8 * length; ++code) {
            std::string bytes{static_cast<char>(code >> 8), static_cast<char>(code)};
            bytes.erase(0, 2 - length);
            const Expected<std::string> decoded = DecodeCp932(bytes);
            const std::optional<std::string> expected = fromCp932(bytes);
            check(decoded ? expected == *decoded : !expected, "decoding 0x", code);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace tessaroven
