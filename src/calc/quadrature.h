// Numerical integration for the isotropic model's weights and the forward simulator: a fixed Gauss-Legendre
// rule on a panel, and an adaptive integrator that splits a panel until its halves agree with it.
#pragma once

#include <array>
#include <functional>

namespace tessaroven {

// The nodes (in -1..1) and weights of the 12-point Gauss-Legendre rule, exact for polynomials up to degree
// 23; computed once by Newton's iteration on the Legendre polynomial.
inline constexpr int kGaussLegendrePoints = 12;
struct GaussLegendreRule {
    std::array<double, kGaussLegendrePoints> node;
    std::array<double, kGaussLegendrePoints> weight;
};
const GaussLegendreRule& GaussLegendre();

// The integral of f over [a, b] by the 12-point rule.
double IntegratePanel(const std::function<double(double)>& f, double a, double b);

// The integral of f over [a, b] to within about tolerance (absolute): a panel is split in two until the two
// halves' sum agrees with the panel's own rule within the panel's share of the tolerance, or within the
// rounding of its sum. A panel next to a jump never agrees, so splitting stops at a depth (2^-48 of the
// interval) where the part left is below the tolerance anyway; nor does it split more than 4,000 times in
// all, which bounds the time for any integrand.
double IntegrateAdaptive(const std::function<double(double)>& f, double a, double b, double tolerance);

}  // namespace tessaroven
