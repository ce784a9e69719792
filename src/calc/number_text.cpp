// Number texts: full-width mapping, leading-number parse, general number text, fixed-decimal patterns.
#include "calc/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace tessaroven {
namespace {

bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The ASCII character whose full-width (or typographic) form the text starts with, or 0 when there is
// none. Each of these forms is three bytes of UTF-8.
char HalfWidthAt(std::string_view text) {
    struct Form {
        std::string_view utf8;
        char ascii;
    };
    static constexpr Form kForms[] = {
        {"\xEF\xBC\x8B", '+'},  // U+FF0B full-width plus sign
        {"\xEF\xBC\x8D", '-'},  // U+FF0D full-width hyphen-minus
        {"\xE2\x88\x92", '-'},  // U+2212 minus sign
        {"\xEF\xBC\x8E", '.'},  // U+FF0E full-width full stop
        {"\xEF\xBD\x85", 'e'},  // U+FF45 full-width small e
        {"\xEF\xBC\xA5", 'E'},  // U+FF25 full-width capital E
        {"\xE3\x80\x80", ' '},  // U+3000 ideographic space
    };
    if (text.size() < 3) {
        return 0;
    }
    const auto last = static_cast<unsigned char>(text[2]);
    if (text.starts_with("\xEF\xBC") && last >= 0x90 && last <= 0x99) {  // U+FF10..U+FF19, digits 0-9
        return static_cast<char>('0' + (last - 0x90));
    }
    for (const Form& form : kForms) {
        if (text.starts_with(form.utf8)) {
            return form.ascii;
        }
    }
    return 0;
}

// The decimal order of the first non-zero digit of a number text as handed to from_chars (optional "-",
// digits with at most one ".", optional "e" exponent): 2 for "-123.4", -3 for "0.00123", 3 for
// "0.0012e6"; 0 when all digits are zero. The exponent is capped far beyond the double range.
long long DecimalOrder(std::string_view number) {
    const std::size_t marker = std::min(number.find('e'), number.size());
    const std::string_view mantissa = number.substr(0, marker);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return 0;
    }
    long long order =
        first < point ? static_cast<long long>(point - first - 1) : -static_cast<long long>(first - point);
    std::size_t i = marker + 1;
    const bool negative = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
        ++i;
    }
    constexpr long long kCap = 1'000'000'000'000'000;
    long long exponent = 0;
    for (; i < number.size(); ++i) {
        exponent = std::min(exponent * 10 + (number[i] - '0'), kCap);
    }
    order += negative ? -exponent : exponent;
    return order;
}

// Reads a number text in the form DecimalOrder describes; from_chars never looks at the process locale.
// from_chars reports a magnitude beyond the double range and one that rounds to zero alike, without a
// value; the decimal order tells the two apart, and the tiny one reads as a zero of the text's sign.
// (A magnitude that rounds to a subnormal is returned as that subnormal.)
double FromChars(std::string_view number, bool& overflow) {
    double value = 0;
    overflow = false;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
        std::errc::result_out_of_range) {
        overflow = DecimalOrder(number) > 0;
        value = number.starts_with('-') ? -0.0 : 0.0;
    }
    return value;
}

// The value rounded to 15 significant digits: its digits (exactly 15) and the decimal exponent of the first.
struct Decimal15 {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// value must be finite. Its 15-digit scientific form, such as "-1.23456789012346e+15", is rounded half to
// even on the exact binary value.
Decimal15 ToDecimal15(double value) {
    char buffer[32];
    const char* const end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
    Decimal15 d;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (IsDigit(*p)) {
            d.digits.push_back(*p);
        }
    }
    ++p;
    if (*p == '+') {
        ++p;  // from_chars takes "-" but not "+"
    }
    std::from_chars(p, end, d.exponent);
    return d;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-Infinity" : "Infinity";
}

// Adds one to a string of decimal digits.
void IncrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

}  // namespace

std::string HalfWidthNumberText(std::string_view utf8) {
    // A UTF-8 lead byte is never a continuation byte, so matching the three-byte forms byte by byte finds
    // the same characters a decoder finds, also next to invalid bytes, which are copied as they are.
    std::string text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        if (const char ascii = HalfWidthAt(utf8.substr(i)); ascii != 0) {
            text.push_back(ascii);
            i += 3;
        } else {
            text.push_back(utf8[i++]);
        }
    }
    return text;
}

ParsedNumber ParseLeadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (!IsIgnoredBlank(c)) {
            s.push_back(c);
        }
    }

    std::string number;  // the number in the form from_chars takes: no "+" sign, "e" as exponent marker
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            number.push_back('-');
        }
        ++i;
    }
    int mantissaDigits = 0;
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            number.push_back(s[i]);
            ++mantissaDigits;
        } else if (s[i] == '.' && !seenPoint) {
            number.push_back('.');
            seenPoint = true;
        } else {
            break;
        }
    }
    ParsedNumber parsed;
    if (mantissaDigits == 0) {
        return parsed;
    }
    parsed.found = true;

    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponent.push_back(s[j++]);
        }
        const std::size_t firstExponentDigit = j;
        while (j < s.size() && IsDigit(s[j])) {
            exponent.push_back(s[j++]);
        }
        if (j > firstExponentDigit) {  // an exponent marker without digits is not part of the number
            number += exponent;
            i = j;
        }
    }
    parsed.complete = i == s.size();

    bool overflow = false;
    const double value = FromChars(number, overflow);
    if (overflow) {
        parsed.outOfRange = true;
        return parsed;
    }
    parsed.value = value;
    return parsed;
}

ParsedNumber ParseTypedNumber(std::string_view utf8) {
    return ParseLeadingNumber(HalfWidthNumberText(utf8));
}

double LeadingNumber(std::string_view text) {
    return ParseLeadingNumber(text).value;
}

std::string GeneralNumberText(double value, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    if (value == 0) {
        return "0";
    }
    Decimal15 d = ToDecimal15(value);
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    std::string text = d.negative ? "-" : "";
    if (d.exponent >= 15 || d.exponent < -5) {
        text.push_back(d.digits[0]);
        if (d.digits.size() > 1) {
            text.push_back(decimalSeparator);
            text.append(d.digits, 1);
        }
        const int magnitude = std::abs(d.exponent);
        text += d.exponent < 0 ? "E-" : "E+";
        if (magnitude < 10) {
            text.push_back('0');  // at least two exponent digits
        }
        return text + std::to_string(magnitude);
    }
    if (d.exponent < 0) {
        text += "0";
        text.push_back(decimalSeparator);
        text.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        return text + d.digits;
    }
    const std::size_t integerDigits = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerDigits) {
        return text + d.digits + std::string(integerDigits - d.digits.size(), '0');
    }
    text.append(d.digits, 0, integerDigits);
    text.push_back(decimalSeparator);
    text.append(d.digits, integerDigits);
    return text;
}

std::string FixedNumberText(double value, int decimals, char decimalSeparator) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    decimals = decimals < 0 ? 0 : decimals > 15 ? 15 : decimals;
    const Decimal15 d = ToDecimal15(value);

    // keep = number of leading digits of the 15-digit form that survive rounding to `decimals` places.
    const int keep = d.exponent + 1 + decimals;
    std::string scaled;  // |value| x 10^decimals, rounded, as decimal digits
    if (keep <= 0) {
        scaled.assign(1, (keep == 0 && d.digits[0] >= '5') ? '1' : '0');
    } else if (keep >= static_cast<int>(d.digits.size())) {
        scaled = d.digits;
        scaled.append(static_cast<std::size_t>(keep) - d.digits.size(), '0');
    } else {
        scaled = d.digits.substr(0, static_cast<std::size_t>(keep));
        if (d.digits[static_cast<std::size_t>(keep)] >= '5') {  // halves away from zero
            IncrementDigits(scaled);
        }
    }
    const std::size_t firstNonZero = scaled.find_first_not_of('0');
    scaled = firstNonZero == std::string::npos ? "0" : scaled.substr(firstNonZero);
    const bool isZero = scaled == "0";
    const std::size_t width = static_cast<std::size_t>(decimals) + 1;
    if (scaled.size() < width) {
        scaled.insert(0, width - scaled.size(), '0');
    }

    std::string text = (d.negative && !isZero) ? "-" : "";
    const std::size_t integerDigits = scaled.size() - static_cast<std::size_t>(decimals);
    text.append(scaled, 0, integerDigits);
    if (decimals > 0) {
        text.push_back(decimalSeparator);
        text.append(scaled, integerDigits);
    }
    return text;
}

double RoundHalfEven(double value) {
    // nearbyint rounds in the current mode, which the program never changes from round-to-nearest-even.
    return std::nearbyint(value);
}

}  // namespace tessaroven
