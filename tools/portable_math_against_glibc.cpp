// How often the core's elementary functions (calc/portable_math.h) differ from glibc's, per 100,000 arguments
// drawn uniformly from the ranges the core passes and from wider ones, and by how many ulps at most. glibc
// picks its code by processor (versions with fused multiply-add where there is one), so the counts are of
// this machine. Not run by the tests:
//   cmake --build build/dev --target tessaroven_portable_math_against_glibc
//   build/dev/tools/tessaroven_portable_math_against_glibc
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <random>

#include "calc/portable_math.h"

namespace {

constexpr int kArguments = 100000;

std::int64_t Ordered(double v) {
    std::int64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits < 0 ? INT64_MIN - bits : bits;
}

struct Count {
    int differing = 0;
    std::int64_t largestUlps = 0;
    void Add(double ours, double glibc) {
        if (std::memcmp(&ours, &glibc, sizeof ours) != 0 && !(std::isnan(ours) && std::isnan(glibc))) {
            ++differing;
            const std::int64_t a = Ordered(ours);
            const std::int64_t b = Ordered(glibc);
            largestUlps = std::max(largestUlps, a > b ? a - b : b - a);
        }
    }
};

void Report(const char* what, const Count& count) {
    std::printf("%-38s %6d  %lld\n", what, count.differing, static_cast<long long>(count.largestUlps));
}

std::mt19937_64 random(1);

double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
}

template <class Ours, class Glibc>
void Unary(const char* what, Ours ours, Glibc glibc, double low, double high, bool logarithmic = false) {
    Count count;
    for (int i = 0; i < kArguments; ++i) {
        const double x = logarithmic ? std::pow(10.0, Uniform(low, high)) : Uniform(low, high);
        count.Add(ours(x), glibc(x));
    }
    Report(what, count);
}

}  // namespace

int main() {
    namespace maths = tessaroven::maths;
    constexpr double pi = std::numbers::pi;
    std::printf("%-38s %6s  %s\n", "function and arguments", "differ", "largest ulps");
    const auto sin = [](double x) { return std::sin(x); };
    const auto cos = [](double x) { return std::cos(x); };
    Unary("sin [-pi, pi]", maths::Sin, sin, -pi, pi);
    Unary("sin [-1e6, 1e6]", maths::Sin, sin, -1e6, 1e6);
    Unary("cos [-pi, pi]", maths::Cos, cos, -pi, pi);
    Unary("cos [-1e6, 1e6]", maths::Cos, cos, -1e6, 1e6);
    Unary(
        "tan [0, 1.5]", maths::Tan, [](double x) { return std::tan(x); }, 0, 1.5);
    const auto atan = [](double x) { return std::atan(x); };
    Unary("atan [-1, 1]", maths::Atan, atan, -1, 1);
    Unary("atan [-1000, 1000]", maths::Atan, atan, -1000, 1000);
    Unary(
        "asin [-1, 1]", maths::Asin, [](double x) { return std::asin(x); }, -1, 1);
    const auto exp = [](double x) { return std::exp(x); };
    Unary("exp [-50, 0]", maths::Exp, exp, -50, 0);
    Unary("exp [-745, 709]", maths::Exp, exp, -745, 709);
    const auto log = [](double x) { return std::log(x); };
    Unary("log (0, 1]", maths::Log, log, 0, 1);
    Unary("log 10^[-300, 300]", maths::Log, log, -300, 300, true);
    Count atan2;
    for (int i = 0; i < kArguments; ++i) {
        const double y = Uniform(-100, 100);
        const double x = Uniform(-100, 100);
        atan2.Add(maths::Atan2(y, x), std::atan2(y, x));
    }
    Report("atan2 [-100, 100]^2", atan2);
    return 0;
}
