// The conversion: grid model, solve, percent values and result lines, computed on a copy and then committed.
#include "calc/conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "calc/isotropic_model.h"
#include "calc/number_text.h"
#include "calc/portable_math.h"
#include "calc/solver.h"
#include "messages/compat.h"

namespace tessaroven {

namespace {

#include "calc/gantry_angle_table.inc"

bool IsConversionPi(double piValue) {
    return BitCast<std::uint64_t>(piValue) == BitCast<std::uint64_t>(kConversionPi);
}

// cos and sin of the 90 gantry angles for one value of pi, each cosine's weight c / kAngleWeightSum, and the
// extremes the quick rows rely on.
struct AngleTable {
    double cosine[kAngleCount];
    double sine[kAngleCount];
    double weight[kAngleCount];
    double smallestCosine;
    double largestSine;
};

AngleTable MakeAngleTable(double piValue) {
    AngleTable table;
    for (int m = -45; m <= 44; ++m) {
        const GantryAngleTerms terms = GantryAngleCosSin(m, piValue);
        table.cosine[m + 45] = terms.cosine;
        table.sine[m + 45] = terms.sine;
        table.weight[m + 45] = table.cosine[m + 45] / kAngleWeightSum;
    }
    table.smallestCosine = *std::min_element(std::begin(table.cosine), std::end(table.cosine));
    table.largestSine = *std::max_element(std::begin(table.sine), std::end(table.sine));
    return table;
}

// The table for the pi value every reset sets is made once; any other value gets a table of its own.
const AngleTable& AnglesFor(double piValue, AngleTable& own) {
    static const AngleTable kConversionAngles = MakeAngleTable(kConversionPi);
    if (IsConversionPi(piValue)) {
        return kConversionAngles;
    }
    own = MakeAngleTable(piValue);
    return own;
}

// Row k angle by angle, each angle checked before its share is added, so that the first angle that fails
// decides the refusal.
MaybeRefusal CheckedRow(const AngleTable& angles, double d, int k, GridMatrix::value_type& row) {
    const double kk = k;
    for (int a = 0; a < kAngleCount; ++a) {
        const double c = angles.cosine[a];
        const double denominator = d - kk * angles.sine[a];
        if (!(denominator > 0)) {  // focus not outside the measuring radius
            return Refuse(Reason::DistanceTooShort);
        }
        const double x = ((d * kk) * c) / denominator;
        const double f = (d * d + x * x) / (denominator * denominator + (kk * c) * (kk * c));
        if (!std::isfinite(x) || !std::isfinite(f)) {
            return Refuse(Reason::NonFiniteResult);
        }
        const double w = angles.weight[a];
        const double ix = std::floor(x);
        if (ix < kk) {
            const int column = static_cast<int>(ix);  // 0 <= column < k, since x >= 0 here
            row[column] += (f * w) * ((ix + 1) - x);
            row[column + 1] += (f * w) * (x - ix);
        } else {
            row[k] += f * w;
        }
    }
    return std::nullopt;
}

// Whether no angle of row k can fail its checks and every x lies in [0, 1e9], so that floor(x) is the whole
// number a conversion to int gives. Rounding is monotonic, so every denominator d - k sin is at least the
// one of the largest sine; with the cosines in (0, 1], x = d k c / denominator lies in [0, d k / that
// denominator]; and with the denominators at least 1e-9, d at most 1e9 and x at most 1e9, the factor's
// numerator (below 1e19) and denominator (above 1e-18) keep it finite.
bool RowNeedsNoChecks(const AngleTable& angles, double d, int k) {
    const double kk = k;
    const double smallestDenominator = d - kk * angles.largestSine;
    return angles.smallestCosine > 0 && d > 0 && d <= 1e9 && smallestDenominator >= 1e-9 &&
           (d * kk) / smallestDenominator <= 1e9;
}

// Where the compiler and processor allow, the share computation is also built for AVX2 and the faster version
// chosen at start-up. The operations stay the same (AVX2 without FMA; -ffp-contract=off), so the values do.
// The choice at start-up is an ELF indirect function, which Windows programs do not have.
#ifndef TESSAROVEN_WIDER_VECTORS
#if defined(__x86_64__) && defined(__ELF__) && defined(__has_attribute)
#if __has_attribute(target_clones)
#define TESSAROVEN_WIDER_VECTORS __attribute__((target_clones("avx2", "default")))
#endif
#endif
#endif
#ifndef TESSAROVEN_WIDER_VECTORS
#define TESSAROVEN_WIDER_VECTORS
#endif

// Each angle's share of a row that needs no checks: all of it for the diagonal cell, or its parts for the two
// cells around x.
struct RowShares {
    int k;
    double share[kAngleCount];
    double lowerPart[kAngleCount];
    double upperPart[kAngleCount];
    int column[kAngleCount];
};

// The loop has no branch and no dependence between angles, so the compiler computes several angles per
// instruction; each value still comes from the same operations in the same order as one at a time.
TESSAROVEN_WIDER_VECTORS
void ComputeShares(const AngleTable& angles, double d, int k, RowShares& shares) {
    const double kk = k;
    const double dk = d * kk;
    const double dd = d * d;
    shares.k = k;
    for (int a = 0; a < kAngleCount; ++a) {
        const double c = angles.cosine[a];
        const double denominator = d - kk * angles.sine[a];
        const double x = (dk * c) / denominator;
        const double kc = kk * c;
        const double fw = ((dd + x * x) / (denominator * denominator + kc * kc)) * angles.weight[a];
        const int whole = static_cast<int>(x);  // floor(x): 0 <= x <= 1e9
        const double ix = whole;
        shares.share[a] = fw;
        shares.lowerPart[a] = fw * ((ix + 1) - x);
        shares.upperPart[a] = fw * (x - ix);
        shares.column[a] = whole;
    }
}

inline void AddShare(const RowShares& shares, int a, GridMatrix::value_type& row) {
    const int j = shares.column[a];
    if (j < shares.k) {
        row[j] += shares.lowerPart[a];
        row[j + 1] += shares.upperPart[a];
    } else {
        row[shares.k] += shares.share[a];
    }
}

// Two rows that need no checks, their shares added in angle order. Each cell's sum only depends on the
// earlier parts of that cell, so the rows are taken together: the additions of one row overlap with the
// other's instead of waiting for the cell just written.
void QuickRows(const AngleTable& angles, double d, int k, GridMatrix& grid) {
    RowShares first;
    RowShares second;
    ComputeShares(angles, d, k, first);
    ComputeShares(angles, d, k + 1, second);
    for (int a = 0; a < kAngleCount; ++a) {
        AddShare(first, a, grid[k]);
        AddShare(second, a, grid[k + 1]);
    }
}

void QuickRow(const AngleTable& angles, double d, int k, GridMatrix& grid) {
    RowShares shares;
    ComputeShares(angles, d, k, shares);
    for (int a = 0; a < kAngleCount; ++a) {
        AddShare(shares, a, grid[k]);
    }
}

}  // namespace

GantryAngleTerms GantryAngleCosSin(int m, double piValue) {
    if (IsConversionPi(piValue)) {
        return {kConversionPiCosine[m + 45], kConversionPiSine[m + 45]};
    }
    const double theta = (GantryAngleDegrees(m) / 180.0) * piValue;
    return {maths::Cos(theta), maths::Sin(theta)};
}

Expected<int> StartGrid(MeasurementRecord& record, double distance) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    for (auto& row : record.grid) {
        row.fill(0.0);
    }
    if (n >= 0 && (distance == 0 || !std::isfinite(distance))) {
        return Refuse(Reason::DistanceNotANumber);
    }
    return n;
}

MaybeRefusal BuildGrid(MeasurementRecord& record, double distance) {
    const Expected<int> last = StartGrid(record, distance);
    if (!last) {
        return last.error();
    }
    const int n = *last;
    // Rows are independent of each other; a row that needs checks is built on its own, in row order, so
    // that the first refusing row decides the refusal.
    AngleTable own;
    const AngleTable& angles = AnglesFor(record.piValue, own);
    for (int k = 0; k <= n; ++k) {
        if (!RowNeedsNoChecks(angles, distance, k)) {
            if (auto refusal = CheckedRow(angles, distance, k, record.grid[k])) {
                return refusal;
            }
        } else if (k < n && RowNeedsNoChecks(angles, distance, k + 1)) {
            QuickRows(angles, distance, k++, record.grid);
        } else {
            QuickRow(angles, distance, k, record.grid);
        }
    }
    return std::nullopt;
}

MaybeRefusal ComputePercent(MeasurementRecord& record) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    if (n < 0) {
        return std::nullopt;
    }
    for (int i = 0; i <= n; ++i) {
        if (!std::isfinite(record.profile[i])) {
            return Refuse(Reason::NonFiniteResult);
        }
    }
    if (record.profile[0] == 0) {
        return Refuse(Reason::ZeroCentreValue);
    }
    for (int i = 0; i <= n; ++i) {
        record.relativePercent[i] = (record.profile[i] / record.profile[0]) * 100.0;
        if (!std::isfinite(record.relativePercent[i])) {
            return Refuse(Reason::NonFiniteResult);
        }
    }
    return std::nullopt;
}

namespace {

// Room for a list line: the index, " : ", two fixed texts and the blanks between them.
constexpr std::size_t kResultListLineCapacity = 2 * kFixedNumberTextCapacity + 32;

char* WriteResultListLine(char* out, int index, double profile, double relativePercent,
                          char decimalSeparator) {
    out = std::to_chars(out, out + 16, index).ptr;
    out = std::copy_n(" : ", 3, out);
    out = WriteFixedNumberText(out, profile, 3, decimalSeparator);
    out = std::copy_n("  ", 2, out);
    return WriteFixedNumberText(out, relativePercent, 1, decimalSeparator);
}

}  // namespace

std::string ResultListLine(int index, double profile, double relativePercent, char decimalSeparator) {
    char line[kResultListLineCapacity];
    return std::string(line, WriteResultListLine(line, index, profile, relativePercent, decimalSeparator));
}

void ComposeResultLines(MeasurementRecord& record, char decimalSeparator) {
    const int n = LastPositionIndex(record.lastPosition);
    char line[kResultListLineCapacity];
    for (int i = 0; i <= n && i <= kLastSlot; ++i) {
        const char* const end =
            WriteResultListLine(line, i, record.profile[i], record.relativePercent[i], decimalSeparator);
        record.resultLines[i].assign(line, static_cast<std::size_t>(end - line));
    }
}

namespace {

// The inverse of a lower-triangular grid (rows and columns 0..n) by forward substitution, column by column;
// the cells above the diagonal stay 0.
MaybeRefusal InvertLowerTriangular(const GridMatrix& grid, int n, GridMatrix& inverse) {
    for (int j = 0; j <= n; ++j) {
        if (grid[j][j] == 0) {
            return Refuse(Reason::ZeroPivot);
        }
        inverse[j][j] = 1.0 / grid[j][j];
        for (int i = j + 1; i <= n; ++i) {
            double sum = 0;
            for (int m = j; m < i; ++m) {
                sum += grid[i][m] * inverse[m][j];
            }
            inverse[i][j] = -sum / grid[i][i];
        }
    }
    return std::nullopt;
}

}  // namespace

Expected<GridMatrix> ReadingsToProfile(const MeasurementRecord& record) {
    const int n = LastPositionIndex(record.lastPosition);
    MeasurementRecord model;
    model.lastPosition = record.lastPosition;
    model.piValue = record.piValue;
    const bool isotropic = record.convertedModel == ConversionModel::Isotropic;
    if (auto refusal = isotropic ? BuildIsotropicGrid(model, record.convertedDistanceCm)
                                 : BuildGrid(model, record.convertedDistanceCm)) {
        return *refusal;
    }
    GridMatrix inverse{};
    if (auto refusal = InvertLowerTriangular(model.grid, n, inverse)) {
        return *refusal;
    }
    if (!isotropic) {
        return inverse;
    }
    const GridMatrix interpolation = IsotropicInterpolation(n, record.convertedDistanceCm);
    GridMatrix map{};
    for (int k = 0; k <= n; ++k) {
        for (int j = 0; j <= k; ++j) {
            if (interpolation[k][j] != 0) {
                for (int m = 0; m <= j; ++m) {
                    map[k][m] += interpolation[k][j] * inverse[j][m];
                }
            }
        }
    }
    return map;
}

std::string_view ConversionModelName(ConversionModel model) {
    return MessageText(model == ConversionModel::Isotropic ? Reason::ModelIsotropic
                                                           : Reason::ModelCompatible);
}

Conversion::Conversion(const MeasurementRecord& record, double distance, char decimalSeparator)
    : m_work(record), m_distance(distance), m_decimalSeparator(decimalSeparator) {}

MaybeRefusal Conversion::BuildGrid() {
    // The focus must turn at least 1 cm outside the farthest position, whatever the model. Closer, the rays
    // through that position cross the line far beyond it and the conversion has no sound answer: a distance
    // of 29.999 cm for 31 positions gave 0.003 % from a reading of 70. The grids themselves only refuse what
    // they cannot compute.
    const int n = LastPositionIndex(m_work.lastPosition);
    if (n >= 0 && n <= kLastSlot && m_distance != 0 && std::isfinite(m_distance) && !(m_distance >= n + 1)) {
        return Refuse(Reason::DistanceTooShort);
    }
    if (m_work.model == ConversionModel::Isotropic) {
        return BuildIsotropicGrid(m_work, m_distance);
    }
    return tessaroven::BuildGrid(m_work, m_distance);
}

MaybeRefusal Conversion::Solve() {
    if (auto refusal = SolveGrid(m_work)) {
        return refusal;
    }
    if (m_work.model == ConversionModel::Isotropic) {
        IsotropicNodesToLine(m_work.profile, LastPositionIndex(m_work.lastPosition), m_distance);
    }
    return std::nullopt;
}

MaybeRefusal Conversion::Finish() {
    if (auto refusal = ComputePercent(m_work)) {
        return refusal;
    }
    ComposeResultLines(m_work, m_decimalSeparator);
    return std::nullopt;
}

void Conversion::CommitTo(MeasurementRecord& record) const {
    record.grid = m_work.grid;
    record.profile = m_work.profile;
    record.relativePercent = m_work.relativePercent;
    record.resultLines = m_work.resultLines;
    record.convertedDistanceCm = m_distance;
    record.convertedModel = m_work.model;
}

MaybeRefusal RunConversion(MeasurementRecord& record, double distance, char decimalSeparator) {
    Conversion conversion(record, distance, decimalSeparator);
    if (auto refusal = conversion.BuildGrid()) {
        return refusal;
    }
    if (auto refusal = conversion.Solve()) {
        return refusal;
    }
    if (auto refusal = conversion.Finish()) {
        return refusal;
    }
    conversion.CommitTo(record);
    return std::nullopt;
}

}  // namespace tessaroven
