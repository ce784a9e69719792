// The forward simulator: the kerma at the detector integrated over the gantry angle of one turn.
#include "calc/simulator.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <utility>

#include "calc/number_text.h"
#include "calc/portable_math.h"
#include "calc/quadrature.h"
#include "measurement/measurement_record.h"

namespace tessaroven {

namespace {

constexpr double kRelativeTolerance = 1e-13;

}  // namespace

ArcProfile ArcOfLineProfile(std::function<double(double xCm)> line, double distanceCm) {
    return [line = std::move(line), distanceCm](double gamma) {
        const double c = maths::Cos(gamma);
        return line(distanceCm * maths::Tan(gamma)) / (c * c);
    };
}

double SimulatedReading(const ArcProfile& profile, double distanceCm, double positionCm,
                        std::span<const double> kinkFanAngles) {
    const double d = distanceCm;
    const double k = positionCm;
    // Focus at d (cos phi, sin phi), detector at (k, 0). The turn is symmetric about the line through the
    // detector, so the half turn 0..pi gives the mean. The fan angle is the angle at the focus between the
    // central ray and the ray to the detector; r^2 is the squared distance from the focus to the detector.
    const auto kerma = [&](double phi) {
        const double s = maths::Sin(phi);
        const double c = maths::Cos(phi);
        const double gamma = maths::Atan2(k * s, d - k * c);
        const double dx = k - d * c;
        const double r2 = dx * dx + (d * s) * (d * s);
        return profile(std::fabs(gamma)) * (d * d) / r2;
    };
    // The half turn in even panels, split again where the ray to the detector crosses a kink: fan angle g at
    // phi = asin((d / k) sin g) - g and pi - asin((d / k) sin g) - g. Inside a panel the kerma is smooth, so
    // the adaptive splitting only refines, and a narrow feature cannot fall between its first nodes.
    std::vector<double> breaks;
    constexpr int kEvenPanels = 32;
    for (int i = 0; i <= kEvenPanels; ++i) {
        breaks.push_back(std::numbers::pi * i / kEvenPanels);
    }
    for (double g : kinkFanAngles) {
        const double sine = k > 0 ? (d / k) * maths::Sin(g) : 2.0;
        if (g > 0 && sine <= 1) {
            const double a = maths::Asin(sine);
            for (double phi : {a - g, std::numbers::pi - a - g}) {
                if (phi > 0 && phi < std::numbers::pi) {
                    breaks.push_back(phi);
                }
            }
        }
    }
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    // The tolerance is a share of the whole reading, estimated first with one rule per panel; a share of each
    // panel's own estimate would ask the impossible of a panel whose integral is nearly 0.
    double estimate = 0;
    for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
        estimate += std::fabs(IntegratePanel(kerma, breaks[i], breaks[i + 1]));
    }
    const double tolerancePerRadian = kRelativeTolerance * estimate / std::numbers::pi;
    double sum = 0;
    for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
        sum += IntegrateAdaptive(kerma, breaks[i], breaks[i + 1],
                                 tolerancePerRadian * (breaks[i + 1] - breaks[i]));
    }
    return sum / std::numbers::pi;
}

double FarthestFanAngle(double distanceCm, double positionCm) {
    return maths::Asin(positionCm / distanceCm);
}

namespace {

// The table's value at t (0 <= t <= the last abscissa): linear between rows; at a step, the value after it.
double TableValue(const TabulatedProfile& profile, double t) {
    const auto after = std::upper_bound(profile.at.begin(), profile.at.end(), t);
    const auto i = static_cast<std::size_t>(after - profile.at.begin()) - 1;
    if (i + 1 >= profile.at.size()) {
        return profile.value.back();
    }
    const double share = (t - profile.at[i]) / (profile.at[i + 1] - profile.at[i]);
    return profile.value[i] + share * (profile.value[i + 1] - profile.value[i]);
}

}  // namespace

Expected<std::vector<double>> SimulateReadings(const TabulatedProfile& profile, double distanceCm,
                                               int positions) {
    if (positions < 1 || positions > kSlotCount) {
        return Refuse(Reason::TooManyPositions);
    }
    if (distanceCm == 0 || !std::isfinite(distanceCm)) {
        return Refuse(Reason::DistanceNotANumber);
    }
    const int last = positions - 1;
    if (!(distanceCm >= last + 1)) {  // as the conversion requires
        return Refuse(Reason::DistanceTooShort);
    }
    if (profile.at.size() < 2 || profile.at.size() != profile.value.size() || profile.at.front() != 0) {
        return Refuse(Reason::SimulationProfileStart);
    }
    const double gammaReach = FarthestFanAngle(distanceCm, last);
    const double reach =
        profile.onArc ? gammaReach * (180 / std::numbers::pi) : distanceCm * maths::Tan(gammaReach);
    if (profile.at.back() < reach) {
        return Refuse(profile.onArc ? Reason::SimulationProfileReachDegrees : Reason::SimulationProfileReach,
                      {GeneralNumberText(last), GeneralNumberText(std::ceil(reach * 1000) / 1000)});
    }

    ArcProfile arc;
    if (profile.onArc) {
        arc = [&profile](double gamma) { return TableValue(profile, gamma * (180 / std::numbers::pi)); };
    } else {
        arc = ArcOfLineProfile([&profile](double x) { return TableValue(profile, x); }, distanceCm);
    }
    std::vector<double> kinks;
    for (double t : profile.at) {
        kinks.push_back(profile.onArc ? t * (std::numbers::pi / 180) : maths::Atan(t / distanceCm));
    }
    std::vector<double> readings;
    for (int k = 0; k < positions; ++k) {
        readings.push_back(SimulatedReading(arc, distanceCm, k, kinks));
        if (!std::isfinite(readings.back())) {  // values near the largest double overflow on the way
            return Refuse(Reason::NonFiniteResult);
        }
    }
    return readings;
}

}  // namespace tessaroven
