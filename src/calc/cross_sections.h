// Photon cross sections of aluminium and of dry air, in cm^2/g, from xraylib's spline knots checked in as
// calc/cross_section_table.inc and evaluated as xraylib evaluates them, so that the results equal its
// library's on Linux to the bit while the program neither links nor ships the library. Only the materials
// the Al-equivalent thickness needs are in the table.
//
// Each function gives NaN for an energy its data do not reach (1 keV to 800 keV are always reached), as
// xraylib refuses one.
#pragma once

namespace tessaroven {

// The mass attenuation coefficient of aluminium, photoelectric plus Rayleigh plus Compton: xraylib's
// CS_Total(13, E).
double AluminiumMassAttenuation(double energyKeV);

// The mass energy-absorption coefficient of one element of dry air (C, N, O or Ar; NaN for any other):
// xraylib's CS_Energy(Z, E).
double ElementMassEnergyAbsorption(int atomicNumber, double energyKeV);

// The mass energy-absorption coefficient of dry air (near sea level): its elements' summed by NIST mass
// fraction, as xraylib's CS_Energy_CP does for the compound.
double DryAirMassEnergyAbsorption(double energyKeV);

}  // namespace tessaroven
