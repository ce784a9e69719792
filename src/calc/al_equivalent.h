// The bow-tie filter as an aluminium-equivalent thickness per fan angle, from the relative profile on the arc
// and the spectrum at the centre of the field (behind the bow-tie's centre).
//
// With phi(E) the centre spectrum, mu(E) the linear attenuation coefficient of aluminium and w(E) the air
// kerma per photon (E times the mass energy-absorption coefficient of dry air), the air-kerma transmission
// of t mm of aluminium relative to the centre is
//     K(t) = sum w phi exp(-mu t) / sum w phi,
// a strictly decreasing function of t (t < 0 where the profile rises above the centre). For position k the
// Al-equivalent thickness t_k solves K(t_k) = T_k, T_k being the relative value on the arc over 100. With it:
//     HVL_k  the thickness h that halves the air kerma of the spectrum filtered by t_k: K(t_k + h) = K(t_k) /
//     2; F_k    the fluence transmission sum phi exp(-mu t_k) / sum phi; u(t_k) = u(T_k) / |dK/dt (t_k)|,
//     with dK/dt = -sum w phi mu exp(-mu t) / sum w phi.
// Attenuation data are xraylib's, evaluated from its spline knots (calc/cross_sections.h): mu = CS_Total(13,
// E) x 2.699 g/cm^3, w = E x CS_Energy_CP("Air, Dry (near sea level)", E).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/uncertainty.h"
#include "measurement/spectrum.h"
#include "messages/outcome.h"

namespace tessaroven {

inline constexpr double kAluminiumDensity = 2.699;  // g/cm^3
// The energies (keV) the attenuation data are taken for. xraylib's Rayleigh and Compton series of aluminium
// end at 800 keV (its spline refuses to extrapolate beyond, while the other series reach further), so 800
// keV is the top; the table's generator checks that every series covers the range.
inline constexpr double kLowestEnergyKeV = 1;
inline constexpr double kHighestEnergyKeV = 800;

// The centre spectrum with the attenuation data at each of its energies (entries of weight 0 left out).
struct AttenuationTable {
    std::vector<double> energiesKeV;
    std::vector<double> fluence;  // phi
    std::vector<double> kerma;    // w phi
    std::vector<double> muPerMm;  // of aluminium
};

// The table for a spectrum; refused for a spectrum CheckSpectrum refuses and for an energy (of a weight above
// 0) outside kLowestEnergyKeV..kHighestEnergyKeV.
Expected<AttenuationTable> MakeAttenuationTable(const Spectrum& spectrum);

// K(t) and F(t) as above (t in mm).
double KermaTransmission(const AttenuationTable& table, double thicknessMm);
double FluenceTransmission(const AttenuationTable& table, double thicknessMm);

// The t with K(t) = transmission, to 1e-9 mm; nothing for a transmission that is not a finite number above 0.
std::optional<double> AlEquivalentThicknessMm(const AttenuationTable& table, double transmission);

// The air-kerma half-value layer in mm of aluminium of the spectrum filtered by thicknessMm.
double HalfValueLayerMm(const AttenuationTable& table, double thicknessMm);

struct AlEquivalentPosition {
    int position = 0;  // cm from the rotation centre
    double fanAngleDeg = 0;
    // Empty where the position's transmission gives no thickness; refusal then says why.
    std::optional<double> thicknessMm;  // relative to the centre
    std::optional<double> thicknessU;   // standard uncertainty (k = 1), where the relative value has one
    std::optional<double> hvlMm;
    std::optional<double> fluenceTransmission;
    std::optional<Refusal> refusal;
};

struct AlEquivalentProfile {
    std::vector<AlEquivalentPosition> positions;  // as in the evaluation, 0..lastPosition
    double centreAlMm = 0;                        // the bow-tie's own central thickness, 0 when unknown
    ConversionModel model = ConversionModel::Compatible;  // the evaluation's, for the files' note
    bool complete() const;                                // every position has a thickness
};

// Every position of an evaluated profile with the given centre spectrum. Refused only for the spectrum
// itself; a position whose relative value is not a finite number above 0 keeps its refusal instead.
Expected<AlEquivalentProfile> EvaluateAlEquivalent(const ProfileEvaluation& evaluation,
                                                   const Spectrum& spectrum, double centreAlMm = 0);

}  // namespace tessaroven
