// Number texts: the leading-number parse and the reading of typed readings on arbitrary bytes, and the
// general and fixed-decimal texts on arbitrary doubles (the first eight bytes reinterpreted), each read back
// by the program's own parse.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "calc/number_text.h"
#include "fuzz_check.h"

namespace {

using tessaroven::ParsedNumber;
using tessaroven::ParseLeadingNumber;

bool SameParse(const ParsedNumber& a, const ParsedNumber& b) {
    return std::memcmp(&a.value, &b.value, sizeof a.value) == 0 && a.found == b.found &&
           a.complete == b.complete && a.outOfRange == b.outOfRange;
}

void CheckParse(std::string_view text) {
    const ParsedNumber parsed = ParseLeadingNumber(text);
    FUZZ_CHECK(std::isfinite(parsed.value), "the parse gives a finite value");
    FUZZ_CHECK(!parsed.complete || parsed.found, "a complete number is a found number");
    FUZZ_CHECK(!parsed.outOfRange || (parsed.value == 0 && parsed.found), "out of range reads as 0");
    FUZZ_CHECK(parsed.found || (parsed.value == 0 && !parsed.outOfRange), "no number reads as 0");
    FUZZ_CHECK(tessaroven::LeadingNumber(text) == parsed.value || parsed.outOfRange,
               "LeadingNumber agrees with the parse");

    // Blanks, tabs and line feeds anywhere are ignored, so removing them changes nothing.
    std::string squeezed;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            squeezed.push_back(c);
        }
    }
    FUZZ_CHECK(SameParse(ParseLeadingNumber(squeezed), parsed),
               "blanks inside the text do not change the parse");
}

// The typed-number parse, which first maps full-width characters, reads ASCII text as the leading-number
// parse does.
void CheckTypedAscii(std::string_view text) {
    std::string ascii;
    for (char c : text) {
        ascii.push_back(static_cast<char>(c & 0x7F));
    }
    FUZZ_CHECK(SameParse(tessaroven::ParseTypedNumber(ascii), ParseLeadingNumber(ascii)),
               "ASCII text reads as the leading number");
}

// The readings typed for one position: taken only whole, one finite value per part.
void CheckTypedReadings(std::string_view text) {
    const auto readings = tessaroven::ReadTypedReadings(text);
    if (!readings) {
        return;
    }
    const std::string mapped = tessaroven::HalfWidthNumberText(text);
    std::size_t parts = 1;
    for (std::size_t at = 0; at < mapped.size(); ++at) {
        parts += mapped[at] == ';' || mapped.compare(at, 3, "\xEF\xBC\x9B") == 0 ? 1 : 0;
    }
    FUZZ_CHECK(readings->size() == parts, "one reading per part");
    for (const double reading : *readings) {
        FUZZ_CHECK(std::isfinite(reading), "a reading taken is finite");
    }
    if (parts == 1) {
        FUZZ_CHECK(tessaroven::ReadTypedNumber(text).value == readings->front(),
                   "one part reads as one number");
    }
}

// The value rounded to 15 significant digits, the reference for both texts (infinite when the rounding
// carries past the largest double).
double Rounded15(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    return std::strtod(buffer, nullptr);
}

void CheckGeneralText(double value) {
    const std::string text = tessaroven::GeneralNumberText(value);
    FUZZ_CHECK(!text.empty() && text.front() != ' ', "general text is not empty and has no leading blank");
    FUZZ_CHECK(!tessaroven::fuzz::HasNonFiniteText(text), "general text of a finite value is a number");

    const double expected = Rounded15(value);
    const ParsedNumber parsed = ParseLeadingNumber(text);
    if (std::isinf(expected)) {
        FUZZ_CHECK(parsed.outOfRange, "a text beyond the double range reads as out of range");
    } else {
        FUZZ_CHECK(parsed.complete && !parsed.outOfRange, "general text reads back as one whole number");
        FUZZ_CHECK(parsed.value == expected, "general text reads back as the value to 15 digits");
    }

    std::string comma = text;
    for (char& c : comma) {
        if (c == '.') {
            c = ',';
        }
    }
    FUZZ_CHECK(tessaroven::GeneralNumberText(value, ',') == comma, "the separator is the only difference");
}

void CheckFixedText(double value, int decimals) {
    const std::string text = tessaroven::FixedNumberText(value, decimals);
    FUZZ_CHECK(!tessaroven::fuzz::HasNonFiniteText(text), "fixed text of a finite value is a number");

    // Optional minus, at least one digit, then "." and exactly `decimals` digits.
    std::size_t pos = text.starts_with('-') ? 1 : 0;
    const std::size_t point = text.find('.');
    const std::size_t intEnd = point == std::string::npos ? text.size() : point;
    FUZZ_CHECK(intEnd > pos, "at least one integer digit");
    for (; pos < intEnd; ++pos) {
        FUZZ_CHECK(text[pos] >= '0' && text[pos] <= '9', "integer part is digits only");
    }
    if (decimals == 0) {
        FUZZ_CHECK(point == std::string::npos, "no decimal point without decimals");
    } else {
        FUZZ_CHECK(
            point != std::string::npos && text.size() - point - 1 == static_cast<std::size_t>(decimals),
            "exactly the asked number of decimals");
        for (pos = point + 1; pos < text.size(); ++pos) {
            FUZZ_CHECK(text[pos] >= '0' && text[pos] <= '9', "decimals are digits only");
        }
    }

    const double expected = Rounded15(value);
    const ParsedNumber parsed = ParseLeadingNumber(text);
    if (std::isinf(expected)) {
        FUZZ_CHECK(parsed.outOfRange, "a text beyond the double range reads as out of range");
        return;
    }
    FUZZ_CHECK(parsed.complete && !parsed.outOfRange, "fixed text reads back as one whole number");
    FUZZ_CHECK(!text.starts_with('-') || parsed.value < 0, "a value that rounds to zero has no minus sign");
    // Half a unit of the last decimal, plus the two roundings to a double (the reference and the read-back).
    const double halfUnit = 0.5 * std::pow(10.0, -decimals);
    const double ulp =
        std::nextafter(std::fabs(expected), std::numeric_limits<double>::infinity()) - std::fabs(expected);
    FUZZ_CHECK(std::fabs(parsed.value - expected) <= halfUnit * (1 + 1e-12) + 2 * ulp,
               "fixed text lies within half a unit of the last decimal of the 15-digit value");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckParse(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckTypedAscii(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckTypedReadings(std::string_view(reinterpret_cast<const char*>(data), size));
    if (size >= sizeof(double) + 1) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            CheckGeneralText(value);
            CheckFixedText(value, data[sizeof value] % 16);
            CheckFixedText(value, 3);  // the patterns of the lists and the file
            CheckFixedText(value, 2);
            CheckFixedText(value, 1);
        }
    }
    return 0;
}
