// The conversion model for a detector without directional dependence and a gantry turning at constant
// speed.
//
// The unknown is the profile on the line through the centre, taken as a function g(p) of the ray's distance p
// from the rotation centre (p = D sin of the fan angle) and piecewise linear between nodes at p = 0, 1, ...,
// n cm. A ray through the detector at position k passes at most k cm from the centre, so reading k depends on
// the nodes 0..k only and the system is lower triangular. Pairing the focus positions that send rays along
// one line through the detector (from either side) turns the mean over the turn into
//
//   R_k = D^2 / (D^2 - k^2) x (2 / pi) x integral over 0..pi/2 of g(k sin a) / (1 - (k sin a / D)^2) da
//
// (a: the angle of the ray at the detector). The weight of node j is this integral with g replaced by node
// j's hat function, taken by Gauss-Legendre panels split where k sin a crosses a node, so it is exact to
// rounding. The value on the line at x = k is g at p = D k / sqrt(D^2 + k^2), interpolated between nodes.
#pragma once

#include "measurement/measurement_record.h"
#include "messages/outcome.h"

namespace tessaroven {

// Clears the grid and fills rows 0..lastPosition with the weights of the nodes. Refused when lastPosition is
// above 30, when the distance is 0 or not finite, when it is less than 1 cm beyond the farthest position, or
// when a weight is not finite.
MaybeRefusal BuildIsotropicGrid(MeasurementRecord& record, double distance);

// Where the value on the line at position k is read between the nodes: p = D k / sqrt(D^2 + k^2).
double IsotropicNodeOfPosition(int position, double distance);

// Replaces the solved node values in values[0..n] by the profile on the line at positions 0..n.
void IsotropicNodesToLine(SlotValues& values, int n, double distance);

// The interpolation as a matrix: row k holds the weights of the nodes for position k (lower triangular).
GridMatrix IsotropicInterpolation(int n, double distance);

}  // namespace tessaroven
