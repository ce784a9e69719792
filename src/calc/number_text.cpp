// Number texts: leading-number parse, general number text, fixed-decimal patterns.
#include "calc/number_text.h"

#include <locale.h>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tessaroven {
namespace {

bool IsIgnoredBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod in the "C" locale, so "." is the decimal point whatever the process locale says.
double StrtodC(const char* text, bool& overflow) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    errno = 0;
    const double value = strtod_l(text, nullptr, cLocale);
    overflow = errno == ERANGE && std::isinf(value);
    return value;
}

// The value rounded to 15 significant digits: its digits (exactly 15) and the decimal exponent of the first.
struct Decimal15 {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal15 ToDecimal15(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
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
    d.exponent = std::atoi(p + 1);
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

ParsedNumber ParseLeadingNumber(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (!IsIgnoredBlank(c)) {
            s.push_back(c);
        }
    }

    std::string number;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        number.push_back(s[i++]);
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
    const double value = StrtodC(number.c_str(), overflow);
    if (overflow) {
        parsed.outOfRange = true;
        return parsed;
    }
    parsed.value = value;
    return parsed;
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
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
        return text + exponent;
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
