// The few pieces of the C++20 library that the core and the converter use and that not every standard
// library we build with has yet: emscripten 3.1.6's libc++ 13 has neither std::bit_cast nor the ranges
// algorithms. Each falls back to what such a library does have and gives the same result.
#pragma once

#include <algorithm>
#include <cstring>
#include <iterator>
#include <type_traits>
#include <version>

#ifdef __cpp_lib_bit_cast
#include <bit>
#endif

namespace tessaroven {

// std::bit_cast: the same bits seen as another type of the same size.
template <class To, class From>
requires(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
         std::is_trivially_copyable_v<From>) constexpr To BitCast(const From& from) noexcept {
#ifdef __cpp_lib_bit_cast
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

// std::ranges::any_of over a whole range.
template <class Range, class Predicate>
bool AnyOf(const Range& range, Predicate predicate) {
    return std::any_of(std::begin(range), std::end(range), predicate);
}

}  // namespace tessaroven
