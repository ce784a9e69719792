// The isotropic model's weights and the interpolation from its nodes to the positions on the line.
#include "calc/isotropic_model.h"

#include <cmath>
#include <numbers>

#include "calc/conversion.h"
#include "calc/portable_math.h"
#include "calc/quadrature.h"

namespace tessaroven {

namespace {

// Row k: the weights of nodes 0..k for reading k. On panel j the ray distance p = k sin a runs from j to
// j + 1, where only the hats of nodes j and j + 1 are not zero.
void IsotropicRow(double d, int k, GridMatrix::value_type& row) {
    if (k == 0) {
        row[0] = 1;  // every ray through the centre: the reading is the centre value
        return;
    }
    const GaussLegendreRule& rule = GaussLegendre();
    const double kk = k;
    double lower = 0;
    for (int j = 0; j < k; ++j) {
        const double upper = j + 1 == k ? std::numbers::pi / 2 : maths::Asin((j + 1) / kk);
        const double half = 0.5 * (upper - lower);
        const double middle = 0.5 * (upper + lower);
        double toNode = 0;      // weight of node j
        double toNextNode = 0;  // weight of node j + 1
        for (int i = 0; i < kGaussLegendrePoints; ++i) {
            const double p = kk * maths::Sin(middle + half * rule.node[i]);
            const double q = p / d;
            const double w = rule.weight[i] / (1 - q * q);
            toNode += w * ((j + 1) - p);
            toNextNode += w * (p - j);
        }
        row[j] += half * toNode;
        row[j + 1] += half * toNextNode;
        lower = upper;
    }
    // D^2 / (D^2 - k^2) and the mean over the quarter turn, 2 / pi.
    const double scale = (d * d) / ((d - kk) * (d + kk)) * (2 / std::numbers::pi);
    for (int j = 0; j <= k; ++j) {
        row[j] *= scale;
    }
}

}  // namespace

MaybeRefusal BuildIsotropicGrid(MeasurementRecord& record, double distance) {
    const Expected<int> last = StartGrid(record, distance);
    if (!last) {
        return last.error();
    }
    const int n = *last;
    if (n >= 0 && !(distance > n)) {
        return Refuse(Reason::DistanceTooShort);
    }
    for (int k = 0; k <= n; ++k) {
        IsotropicRow(distance, k, record.grid[k]);
        for (int j = 0; j <= k; ++j) {
            if (!std::isfinite(record.grid[k][j])) {
                return Refuse(Reason::NonFiniteResult);
            }
        }
    }
    return std::nullopt;
}

double IsotropicNodeOfPosition(int position, double distance) {
    const double ratio = position / distance;
    return position / std::sqrt(1 + ratio * ratio);
}

namespace {

// The two nodes around position k's node and the share of the upper one.
struct NodePair {
    int lower;
    double upperShare;
};

NodePair NodesAround(int position, double distance) {
    const double p = IsotropicNodeOfPosition(position, distance);
    const double whole = std::floor(p);
    return {static_cast<int>(whole), p - whole};
}

}  // namespace

void IsotropicNodesToLine(SlotValues& values, int n, double distance) {
    // Node k's value is still needed for the positions after k, and position k reads nodes below k only
    // (p < k), so the positions are written from the last down.
    for (int k = n; k >= 1; --k) {
        const NodePair nodes = NodesAround(k, distance);
        const double lowerValue = values[nodes.lower];
        values[k] = nodes.upperShare == 0
                        ? lowerValue
                        : lowerValue + nodes.upperShare * (values[nodes.lower + 1] - lowerValue);
    }
}

GridMatrix IsotropicInterpolation(int n, double distance) {
    GridMatrix matrix{};
    matrix[0][0] = 1;
    for (int k = 1; k <= n; ++k) {
        const NodePair nodes = NodesAround(k, distance);
        matrix[k][nodes.lower] = 1 - nodes.upperShare;
        if (nodes.upperShare != 0) {
            matrix[k][nodes.lower + 1] += nodes.upperShare;
        }
    }
    return matrix;
}

}  // namespace tessaroven
