// A property check for the fuzz targets: a broken property prints what was expected and aborts, so libFuzzer
// keeps the input as a crash file that reproduces it.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#define FUZZ_CHECK(condition, what)                                                                          \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "property broken: %s (%s:%d): %s\n", what, __FILE__, __LINE__, #condition); \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

namespace tessaroven::fuzz {

// Whether text holds a non-finite number's text in any spelling ("nan", "inf", "Infinity").
inline bool HasNonFiniteText(std::string_view text) {
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        auto lower = [&](std::size_t j) { return static_cast<char>(text[j] | 0x20); };
        if ((lower(i) == 'n' && lower(i + 1) == 'a' && lower(i + 2) == 'n') ||
            (lower(i) == 'i' && lower(i + 1) == 'n' && lower(i + 2) == 'f')) {
            return true;
        }
    }
    return false;
}

// A double as the program meets it: mostly values of a typed size (a few digits, either sign, a scale),
// sometimes any bit pattern at all (NaN, infinities, subnormals, the extremes).
inline double ConsumeValue(FuzzedDataProvider& provider) {
    switch (provider.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: {
            double raw = 0;
            const auto bytes = provider.ConsumeBytes<unsigned char>(sizeof raw);
            if (!bytes.empty()) {
                std::memcpy(&raw, bytes.data(), bytes.size());
            }
            return raw;
        }
        case 1:
            return provider.ConsumeFloatingPoint<double>();
        default: {
            const double digits = provider.ConsumeIntegralInRange<int>(-100000, 100000);
            const int scale = provider.ConsumeIntegralInRange<int>(-6, 4);
            return digits * std::pow(10.0, scale);
        }
    }
}

// A lastPosition as the setup leaves it (floor of the typed count minus 1), or any double.
inline double ConsumeLastPosition(FuzzedDataProvider& provider) {
    if (provider.ConsumeBool()) {
        return provider.ConsumeIntegralInRange<int>(-3, 33);
    }
    return ConsumeValue(provider);
}

}  // namespace tessaroven::fuzz
