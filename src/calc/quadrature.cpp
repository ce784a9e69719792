// Gauss-Legendre panels and the adaptive integrator built on them.
#include "calc/quadrature.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "calc/portable_math.h"

namespace tessaroven {

namespace {

GaussLegendreRule MakeGaussLegendre() {
    constexpr int n = kGaussLegendrePoints;
    GaussLegendreRule rule{};
    for (int i = 0; i < n; ++i) {
        // The usual first guess for the i-th root, then Newton's iteration on P_n.
        double x = maths::Cos(std::numbers::pi * (i + 0.75) / (n + 0.5));
        double derivative = 1;
        for (int iteration = 0; iteration < 100; ++iteration) {
            double previous = 1;
            double current = x;
            for (int j = 2; j <= n; ++j) {
                const double next = ((2 * j - 1) * x * current - (j - 1) * previous) / j;
                previous = current;
                current = next;
            }
            derivative = n * (x * current - previous) / (x * x - 1);
            const double step = current / derivative;
            x -= step;
            if (std::fabs(step) < 1e-16) {
                break;
            }
        }
        rule.node[i] = x;
        rule.weight[i] = 2 / ((1 - x * x) * derivative * derivative);
    }
    return rule;
}

struct Adaptive {
    const std::function<double(double)>& f;
    double tolerancePerWidth;
    static constexpr int kMaxDepth = 48;
    // Splits left for the whole interval. A smooth integrand needs a few dozen; a jump at a stationary point
    // of the substitution, or values far apart in size, could otherwise ask for splits without end.
    mutable int splitsLeft = 4000;

    double Refine(double a, double b, double whole, int depth) const {
        const double middle = 0.5 * (a + b);
        const double left = IntegratePanel(f, a, middle);
        const double right = IntegratePanel(f, middle, b);
        const double halves = left + right;
        // Below the rounding of the panel's own sum no split can tell more.
        const double rounding =
            64 * std::numeric_limits<double>::epsilon() * (std::fabs(left) + std::fabs(right));
        const double difference = std::fabs(halves - whole);
        if (depth >= kMaxDepth || difference <= tolerancePerWidth * (b - a) || difference <= rounding ||
            !std::isfinite(halves) || --splitsLeft < 0) {
            return halves;
        }
        return Refine(a, middle, left, depth + 1) + Refine(middle, b, right, depth + 1);
    }
};

}  // namespace

const GaussLegendreRule& GaussLegendre() {
    static const GaussLegendreRule kRule = MakeGaussLegendre();
    return kRule;
}

double IntegratePanel(const std::function<double(double)>& f, double a, double b) {
    const GaussLegendreRule& rule = GaussLegendre();
    const double half = 0.5 * (b - a);
    const double middle = 0.5 * (a + b);
    double sum = 0;
    for (int i = 0; i < kGaussLegendrePoints; ++i) {
        sum += rule.weight[i] * f(middle + half * rule.node[i]);
    }
    return half * sum;
}

double IntegrateAdaptive(const std::function<double(double)>& f, double a, double b, double tolerance) {
    const Adaptive adaptive{f, tolerance / (b - a)};
    return adaptive.Refine(a, b, IntegratePanel(f, a, b), 0);
}

}  // namespace tessaroven
