// The texts of doubles and their reading, in the C locale whatever the process's: where the standard library
// has std::to_chars and std::from_chars for double (libstdc++ on Linux and Windows), they are those; where it
// lacks them (libc++ 13 of the WebAssembly build), the portable versions below, which give the same
// characters and the same values. Every number text of the core that is not already a fixed pattern goes
// through here.
#pragma once

#include <charconv>
#include <system_error>

namespace tessaroven {

// The portable versions, on Google's double-conversion. Built everywhere, so that the native tests compare
// them with the standard library's on many doubles; used only where the standard library lacks its own.
namespace portable_chars {

// std::to_chars(first, last, value): the shortest text that reads back to value, in fixed notation unless the
// scientific one ("1e+05", "1.5e-07") is shorter; "inf", "-inf", "nan", "-nan" for the others.
std::to_chars_result ToChars(char* first, char* last, double value);

// std::to_chars(first, last, value, format, precision) for chars_format::fixed (precision decimals) and
// chars_format::scientific (precision decimals after the first digit), rounded half to even on the exact
// binary value as printf rounds. precision must be 0..100; other formats give errc::invalid_argument.
std::to_chars_result ToChars(char* first, char* last, double value, std::chars_format format, int precision);

// std::from_chars(first, last, value) in the general format: an optional "-" (never "+"), digits with at most
// one ".", an optional exponent ("e" or "E", optional sign, digits), or "inf", "infinity", "nan" and
// "nan(...)" in either case; the longest such prefix is read, correctly rounded. A magnitude beyond the
// double range or one that rounds to zero gives errc::result_out_of_range and leaves value as it was.
std::from_chars_result FromChars(const char* first, const char* last, double& value);

}  // namespace portable_chars

#if TESSAROVEN_STD_DOUBLE_CHARS
inline std::to_chars_result DoubleToChars(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}
inline std::to_chars_result DoubleToChars(char* first, char* last, double value, std::chars_format format,
                                          int precision) {
    return std::to_chars(first, last, value, format, precision);
}
inline std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value) {
    return std::from_chars(first, last, value);
}
#else
inline std::to_chars_result DoubleToChars(char* first, char* last, double value) {
    return portable_chars::ToChars(first, last, value);
}
inline std::to_chars_result DoubleToChars(char* first, char* last, double value, std::chars_format format,
                                          int precision) {
    return portable_chars::ToChars(first, last, value, format, precision);
}
inline std::from_chars_result DoubleFromChars(const char* first, const char* last, double& value) {
    return portable_chars::FromChars(first, last, value);
}
#endif

}  // namespace tessaroven
