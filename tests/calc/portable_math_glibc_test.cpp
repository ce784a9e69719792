// The core's own elementary functions against glibc's, which computed every result before them: within 1 ulp
// over the arguments the core passes, and the same bits on the special values. The gantry angles' table at
// the conversion's pi value holds exactly glibc's cos and sin.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>

#include "calc/conversion.h"
#include "calc/portable_math.h"
#include "measurement/measurement_record.h"
#include "messages/compat.h"

namespace tessaroven {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// Distance in units in the last place: doubles ordered as integers, -0 next to +0.
std::uint64_t UlpDistance(double a, double b) {
    const auto ordered = [](double v) {
        const auto bits = static_cast<std::int64_t>(BitCast<std::uint64_t>(v));
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t x = ordered(a);
    const std::int64_t y = ordered(b);
    return x > y ? static_cast<std::uint64_t>(x) - static_cast<std::uint64_t>(y)
                 : static_cast<std::uint64_t>(y) - static_cast<std::uint64_t>(x);
}

bool SameBits(double a, double b) {
    return std::isnan(a) ? std::isnan(b) : BitCast<std::uint64_t>(a) == BitCast<std::uint64_t>(b);
}

bool WithinOneUlp(double a, double b) {
    return SameBits(a, b) || (!std::isnan(a) && !std::isnan(b) && UlpDistance(a, b) <= 1);
}

// The arguments the core passes: uniform in [low, high] and, where logLow < logHigh, every other one a
// magnitude 10^logLow..10^logHigh, negative too where low is.
struct Function {
    const char* name;
    double (*ours)(double);
    double (*glibc)(double);
    double low;
    double high;
    double logLow;
    double logHigh;
    bool hugeExact = false;  // huge arguments give the same bits
};

const Function kFunctions[] = {
    // gantry angles at any pi value, the simulator's turn and fan angles, the quadrature's first guesses
    {"sin", maths::Sin, [](double x) { return std::sin(x); }, -10, 10, -8, 6, true},
    {"cos", maths::Cos, [](double x) { return std::cos(x); }, -10, 10, -8, 6, true},
    {"tan", maths::Tan, [](double x) { return std::tan(x); }, -1.5707, 1.5707, -8, 0},
    // fan angles of position over distance, the simulator's kinks
    {"atan", maths::Atan, [](double x) { return std::atan(x); }, -5, 5, -10, 10},
    // the simulator's kink angles and the isotropic model's panel ends
    {"asin", maths::Asin, [](double x) { return std::asin(x); }, -1, 1, -10, 0},
    // attenuation: weights, transmissions and exp(-mu t)
    {"exp", maths::Exp, [](double x) { return std::exp(x); }, -745, 709, 0, 0},
    {"log", maths::Log, [](double x) { return std::log(x); }, 0, 2, -300, 300},
};

TEST(PortableMath, WithinOneUlpOfGlibcAndTheSameOnSpecialValues) {
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> unit(0, 1);
    for (const Function& f : kFunctions) {
        SCOPED_TRACE(f.name);
        int far = 0;
        for (int i = 0; i < 20000; ++i) {
            double x = f.low + (f.high - f.low) * unit(random);
            if (i % 2 && f.logLow < f.logHigh) {
                x = std::pow(10.0, f.logLow + (f.logHigh - f.logLow) * unit(random)) *
                    (f.low < 0 && i % 4 == 1 ? -1 : 1);
            }
            if (!WithinOneUlp(f.ours(x), f.glibc(x)) && ++far <= 5) {
                ADD_FAILURE() << std::hexfloat << x << ": " << f.ours(x) << " against " << f.glibc(x);
            }
        }
        for (const double x : {0.0, -0.0, kInf, -kInf, kNan, 1.0, -1.0, std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min(), 710.0, -746.0}) {
            EXPECT_TRUE(SameBits(f.ours(x), f.glibc(x))) << std::hexfloat << x;
        }
        // Both reduce huge arguments exactly, and sin and cos then round alike; tan(1e22) does not.
        for (const double x : {1e22, 0x1p1023, -1e300}) {
            EXPECT_TRUE(f.hugeExact ? SameBits(f.ours(x), f.glibc(x)) : WithinOneUlp(f.ours(x), f.glibc(x)))
                << std::hexfloat << x;
        }
    }
    // atan2 over the simulator's rays: every quadrant, both signs of zero, infinities
    int far = 0;
    for (int i = 0; i < 20000; ++i) {
        const double y = 200 * unit(random) - 100;
        const double x = 200 * unit(random) - 100;
        if (!WithinOneUlp(maths::Atan2(y, x), std::atan2(y, x)) && ++far <= 5) {
            ADD_FAILURE() << std::hexfloat << "atan2 " << y << ", " << x;
        }
    }
    for (const double y : {0.0, -0.0, 1.0, -1.0, kInf, -kInf, kNan}) {
        for (const double x : {0.0, -0.0, 1.0, -1.0, kInf, -kInf, kNan}) {
            EXPECT_TRUE(SameBits(maths::Atan2(y, x), std::atan2(y, x))) << "atan2 " << y << ", " << x;
        }
    }
}

// The compatible model's results were fixed with glibc's cos and sin; the table must be those bits.
TEST(PortableMath, GantryAngleTableIsGlibcsCosAndSin) {
    for (int m = -45; m <= 44; ++m) {
        volatile double theta =
            (GantryAngleDegrees(m) / 180.0) * kConversionPi;  // not folded by the compiler
        const GantryAngleTerms terms = GantryAngleCosSin(m, kConversionPi);
        EXPECT_TRUE(SameBits(terms.cosine, std::cos(theta))) << "cos at step " << m;
        EXPECT_TRUE(SameBits(terms.sine, std::sin(theta))) << "sin at step " << m;
    }
}

}  // namespace
}  // namespace tessaroven
