// The cubic spline of Numerical Recipes (W. H. Press et al., 2nd ed., section 3.3, splint) in log-log, as
// xraylib 4.0 has it in src/splint.c and src/cross_sections.c: the same bisection, clamping and order of
// operations, so that the same knots give the same doubles. The knots' second derivatives are taken as
// xraylib keeps them (for the energy-absorption series they are numerical derivatives, not those of a
// natural spline), since matching the library matters more here than the smoothness of the curve.
#include "calc/cross_sections.h"

#include <cmath>
#include <limits>
#include <span>

#include "calc/portable_math.h"

namespace tessaroven {

namespace {

struct SplineKnot {
    double x;
    double y;
    double y2;  // d^2 y / dx^2 at x
};

struct AirElement {
    int atomicNumber;
    double massFraction;
    std::span<const SplineKnot> energyAbsorption;
};

#include "calc/cross_section_table.inc"

// The only calls into the maths library: the core's own exp and log, the same bits on every target.
double NaturalLog(double x) {
    return maths::Log(x);
}
double Exponential(double x) {
    return maths::Exp(x);
}

constexpr double kRefused = std::numeric_limits<double>::quiet_NaN();

// y at x. Like xraylib, x may lie up to 1e-7 beyond the last knot (a rounding of the data's top energy),
// nothing below the first.
double Splint(std::span<const SplineKnot> knots, double x) {
    if (x - knots.back().x > 1e-7 || x < knots.front().x) {
        return kRefused;
    }
    std::size_t lo = 0;
    std::size_t hi = knots.size() - 1;
    while (hi - lo > 1) {
        const std::size_t k = (hi + lo) >> 1;
        if (knots[k].x > x) {
            hi = k;
        } else {
            lo = k;
        }
    }
    const double h = knots[hi].x - knots[lo].x;
    if (h == 0.0) {
        return (knots[lo].y + knots[hi].y) / 2.0;
    }
    const double a = (knots[hi].x - x) / h;
    const double b = (x - knots[lo].x) / h;
    return a * knots[lo].y + b * knots[hi].y +
           ((a * a * a - a) * knots[lo].y2 + (b * b * b - b) * knots[hi].y2) * (h * h) / 6.0;
}

// sigma = exp(spline(ln x)); a refused x stays NaN through exp.
double LogLog(std::span<const SplineKnot> knots, double logX) {
    return Exponential(Splint(knots, logX));
}

}  // namespace

double AluminiumMassAttenuation(double energyKeV) {
    if (!(energyKeV > 0)) {
        return kRefused;
    }
    // xraylib's photoelectric, Rayleigh and Compton series take the energy in eV.
    const double logEv = NaturalLog(energyKeV * 1000.0);
    const double photo = LogLog(kAluminiumPhoto, logEv);
    const double rayleigh = LogLog(kAluminiumRayleigh, logEv);
    const double compton = LogLog(kAluminiumCompton, logEv);
    return photo + rayleigh + compton;
}

double ElementMassEnergyAbsorption(int atomicNumber, double energyKeV) {
    for (const AirElement& element : kDryAir) {
        if (element.atomicNumber == atomicNumber) {
            return energyKeV > 0 ? LogLog(element.energyAbsorption, NaturalLog(energyKeV)) : kRefused;
        }
    }
    return kRefused;
}

double DryAirMassEnergyAbsorption(double energyKeV) {
    double sum = 0;
    for (const AirElement& element : kDryAir) {
        sum += element.massFraction * ElementMassEnergyAbsorption(element.atomicNumber, energyKeV);
    }
    return sum;
}

}  // namespace tessaroven
