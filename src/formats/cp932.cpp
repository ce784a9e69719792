// Code page 932 from a table generated once from glibc's iconv converter (cp932_table.inc), so that every
// system writes the bytes glibc has always written, characters with two codes and the few it takes from
// outside the code page (U+2212 as 0x817C, U+00A5 as 0x5C, ...) included. One departure: glibc writes
// nothing for the tag characters U+E0000..U+E007F; a result file whose comment silently lost characters is
// worse than a refusal, so they are refused like every other character the code page lacks.
#include "formats/cp932.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string_view>

namespace tessaroven {
namespace {

#include "formats/cp932_table.inc"

struct EncodedCharacter {
    char16_t character;
    std::uint16_t code;  // a single byte below 0x100, otherwise lead byte * 256 + trail byte
};

// Each lead byte's row in kPairRows.
consteval std::array<std::uint8_t, 256> RowsOfLeadBytes() {
    std::array<std::uint8_t, 256> rows{};
    std::size_t row = 0;
    for (unsigned b = 0; b < 256; ++b) {
        if (kSingleBytes[b] == kLeadByte) {
            if (row >= std::size(kPairRows) || kPairRows[row].size() != kLastTrail - kFirstTrail + 1) {
                throw "a lead byte without its full row of pairs";
            }
            rows[b] = static_cast<std::uint8_t>(row++);
        }
    }
    if (row != std::size(kPairRows)) {
        throw "a row of pairs without its lead byte";
    }
    return rows;
}
constexpr std::array<std::uint8_t, 256> kRowOfLead = RowsOfLeadBytes();

using EncodeTable = std::array<EncodedCharacter, kEncodedCount>;

// The encoder's (character, code) pairs: every decoded one except the codes that encoding never writes, and
// the characters that encode to another character's code. Built by the compiler, so the program pays for
// them neither at start nor in size beyond the table itself.
consteval EncodeTable EncodedCharacters() {
    EncodeTable table{};
    std::size_t count = 0;
    const std::uint16_t* decodeOnly = std::begin(kDecodeOnlyCodes);  // the codes are visited in rising order
    const auto add = [&](char16_t character, unsigned code) {
        while (decodeOnly != std::end(kDecodeOnlyCodes) && *decodeOnly < code) {
            ++decodeOnly;
        }
        if (decodeOnly == std::end(kDecodeOnlyCodes) || *decodeOnly != code) {
            table.at(count++) = {character, static_cast<std::uint16_t>(code)};
        }
    };
    for (unsigned b = 0; b < 256; ++b) {
        if (kSingleBytes[b] != kLeadByte && kSingleBytes[b] != kNoCharacter) {
            add(kSingleBytes[b], b);
        }
    }
    for (unsigned b = 0; b < 256; ++b) {
        for (unsigned trail = kFirstTrail; kSingleBytes[b] == kLeadByte && trail <= kLastTrail; ++trail) {
            if (const char16_t c = kPairRows[kRowOfLead[b]][trail - kFirstTrail]; c != kNoCharacter) {
                add(c, b << 8 | trail);
            }
        }
    }
    for (const auto& [character, code] : kEncodeOnly) {
        table.at(count++) = {static_cast<char16_t>(character), code};
    }
    if (count != kEncodedCount) {
        throw "the encoder's table is short";
    }
    return table;
}

// One stable pass of a radix sort by the character's byte at `shift`. Each pass is a constant evaluation of
// its own, which keeps each well within every compiler's budget for one.
consteval EncodeTable SortedByByte(const EncodeTable& table, unsigned shift) {
    std::array<std::size_t, 257> start{};
    for (const EncodedCharacter& e : table) {
        ++start[(e.character >> shift & 0xFF) + 1];
    }
    for (std::size_t i = 1; i < start.size(); ++i) {
        start[i] += start[i - 1];
    }
    EncodeTable sorted{};
    for (const EncodedCharacter& e : table) {
        sorted[start[e.character >> shift & 0xFF]++] = e;
    }
    return sorted;
}

consteval EncodeTable Checked(const EncodeTable& table) {
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i - 1].character >= table[i].character) {
            throw "a character with two codes, or the table out of order";
        }
    }
    for (char16_t c = 0; c < 0x80; ++c) {
        if (table[c].character != c || table[c].code != c) {
            throw "ASCII is not written as itself, which the encoder's shortcut assumes";
        }
    }
    return table;
}

constexpr EncodeTable kEncodedInCodeOrder = EncodedCharacters();
constexpr EncodeTable kEncodedByLowByte = SortedByByte(kEncodedInCodeOrder, 0);
constexpr EncodeTable kEncodeTable = Checked(SortedByByte(kEncodedByLowByte, 8));

// Appends the code of `codePoint`; false where code page 932 has none.
bool AppendCode(std::string& bytes, char32_t codePoint) {
    if (codePoint < 0x80) {
        bytes += static_cast<char>(codePoint);
        return true;
    }
    if (codePoint > 0xFFFF) {
        return false;
    }
    const auto it = std::lower_bound(kEncodeTable.begin(), kEncodeTable.end(), codePoint,
                                     [](EncodedCharacter e, char32_t c) { return e.character < c; });
    if (it == kEncodeTable.end() || it->character != codePoint) {
        return false;
    }
    if (it->code > 0xFF) {
        bytes += static_cast<char>(it->code >> 8);
    }
    bytes += static_cast<char>(it->code & 0xFF);
    return true;
}

void AppendUtf8(std::string& utf8, char16_t c) {
    if (c < 0x80) {
        utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
        utf8 += static_cast<char>(0xC0 | (c >> 6));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
}

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

// Characters that code page 932 lacks but whose twin it holds, as UTF-8: the micro sign, the letter Å and the
// ohm sign are written as the Greek mu, the angstrom sign and the Greek omega. (The table itself already
// takes the minus sign U+2212 and the wave dash U+301C.)
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
    std::string encoded;
    encoded.reserve(utf8.size());
    // Malformed text is refused before any character, wherever it stands, as it always was.
    std::size_t unrepresentableAt = utf8.size();
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        const std::size_t length = Utf8Sequence(utf8, i, codePoint);
        if (length == 0) {
            return Refuse(Reason::InvalidText);
        }
        if (unrepresentableAt == utf8.size() && !AppendCode(encoded, codePoint)) {
            unrepresentableAt = i;
        }
        i += length;
    }
    if (unrepresentableAt == utf8.size()) {
        return encoded;
    }
    char32_t codePoint = 0;
    const std::size_t length = Utf8Sequence(utf8, unrepresentableAt, codePoint);
    const std::string name = CharacterName(utf8.substr(unrepresentableAt, length), codePoint);
    if (const std::string instead = Replacement(codePoint); !instead.empty()) {
        return Refuse(Reason::UnrepresentableCharacterWithReplacement, {name, instead});
    }
    return Refuse(Reason::UnrepresentableCharacter, {name});
}

Expected<std::string> DecodeCp932(std::string_view bytes) {
    std::string decoded;
    decoded.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned byte = static_cast<unsigned char>(bytes[i]);
        char16_t c = kSingleBytes[byte];
        if (c == kLeadByte) {
            const unsigned trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[++i]) : 0;
            c = trail >= kFirstTrail && trail <= kLastTrail ? kPairRows[kRowOfLead[byte]][trail - kFirstTrail]
                                                            : kNoCharacter;
        }
        if (c == kNoCharacter) {
            return Refuse(Reason::InvalidText);
        }
        AppendUtf8(decoded, c);
    }
    return decoded;
}

}  // namespace tessaroven
