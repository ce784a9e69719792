// The Gauss-Jordan elimination in natural order, without pivoting, and its short form for the lower
// triangular grids the conversion builds.
#include "calc/solver.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "messages/compat.h"

namespace tessaroven {

namespace {

// The elimination as the method reads: every cell of the block, every step.
MaybeRefusal FullElimination(GridMatrix& grid, SlotValues& profile, int n) {
    for (int k = 0; k <= n; ++k) {
        const double p = grid[k][k];
        if (p == 0) {
            return Refuse(Reason::ZeroPivot);
        }
        for (int j = 0; j <= n; ++j) {
            grid[k][j] = grid[k][j] / p;
        }
        profile[k] = profile[k] / p;
        for (int i = k + 1; i <= n; ++i) {
            const double f = grid[i][k];
            for (int j = 0; j <= n; ++j) {
                grid[i][j] = grid[i][j] - f * grid[k][j];
            }
            profile[i] = profile[i] - f * profile[k];
        }
    }

    for (int k = n; k >= 0; --k) {
        for (int i = k - 1; i >= 0; --i) {
            const double f = grid[i][k];
            for (int j = i; j <= n; ++j) {
                grid[i][j] = grid[i][j] - f * grid[k][j];
            }
            profile[i] = profile[i] - f * profile[k];
        }
    }
    return std::nullopt;
}

// Whether the block is lower triangular with +0 above the diagonal, every cell finite and none -0, and no
// zero on the diagonal.
bool IsPlainLowerTriangular(const GridMatrix& grid, int n) {
    constexpr std::uint64_t kNegativeZero = std::uint64_t{1} << 63;
    std::uint64_t upperBits = 0;  // +0 is the only double whose bits are all zero
    for (int i = 0; i <= n; ++i) {
        const auto& row = grid[i];
        for (int j = 0; j <= i; ++j) {
            if (!(std::fabs(row[j]) <= std::numeric_limits<double>::max()) ||
                BitCast<std::uint64_t>(row[j]) == kNegativeZero) {
                return false;
            }
        }
        if (row[i] == 0) {
            return false;
        }
        for (int j = i + 1; j <= n; ++j) {
            upperBits |= BitCast<std::uint64_t>(row[j]);
        }
    }
    return upperBits == 0;
}

// The same elimination for a block that IsPlainLowerTriangular accepts, with the same operations on profile
// and the same bits in grid, but without the grid arithmetic that cannot change a value:
// - Forward phase. By induction over the steps, row k holds, when its step comes, +0 in every column but
//   the diagonal, which still holds its original value p: cells right of the diagonal start as +0, and a
//   cell left of it is set to f - f x 1 = +0 at its own column's step; every other change subtracts f times
//   a zero of a row already divided, where f is finite, and +0 - (+-0) is +0. A lower cell of a row below
//   (its own value, finite and not -0) minus such a zero is unchanged. So each multiplier is the original
//   cell grid[i][k], each pivot is the original diagonal cell, and row k divided by p is 1 on the diagonal
//   and zeros of p's sign elsewhere.
// - Backward phase. Now every cell off the diagonal is a signed zero and the diagonal holds 1, so every
//   product is a signed zero, the diagonal stays 1, and a - b for zeros a and b is -0 exactly when a is -0
//   and b is +0 (a product is -0 when exactly one factor is). The signs are followed as bits (bit j of
//   negativeZeros[i] for cell (i, j)). The profile still gets every operation, with the signed zero as
//   multiplier, so infinities and zeros come out as in the full elimination.
void LowerTriangularElimination(GridMatrix& grid, SlotValues& profile, int n) {
    std::uint32_t negativeZeros[kSlotCount];
    const std::uint32_t block = (std::uint32_t{2} << n) - 1;  // columns 0..n
    bool anyNegativePivot = false;
    for (int k = 0; k <= n; ++k) {
        const double p = grid[k][k];
        profile[k] = profile[k] / p;
        for (int i = k + 1; i <= n; ++i) {
            profile[i] = profile[i] - grid[i][k] * profile[k];
        }
        negativeZeros[k] = p < 0 ? block & ~(std::uint32_t{1} << k) : 0;
        anyNegativePivot = anyNegativePivot || p < 0;
    }

    // Within a step, profile[k] stays as it is, so the product f x profile[k] takes one of two values.
    // Without a negative pivot there is no -0 at all, and every multiplier is +0.
    for (int k = n; k >= 0; --k) {
        const double positiveProduct = 0.0 * profile[k];
        if (!anyNegativePivot) {
            for (int i = k - 1; i >= 0; --i) {
                profile[i] = profile[i] - positiveProduct;
            }
            continue;
        }
        const double negativeProduct = -0.0 * profile[k];
        const std::uint32_t rowK = negativeZeros[k];  // bit k is clear: that cell is 1
        for (int i = k - 1; i >= 0; --i) {
            const bool negativeF = ((negativeZeros[i] >> k) & 1) != 0;
            const std::uint32_t negativeProducts = negativeF ? ~rowK : rowK;
            const std::uint32_t rightOfDiagonal = block & ~((std::uint32_t{2} << i) - 1);
            negativeZeros[i] &= ~(negativeProducts & rightOfDiagonal);
            profile[i] = profile[i] - (negativeF ? negativeProduct : positiveProduct);
        }
    }

    for (int i = 0; i <= n; ++i) {
        auto& row = grid[i];
        std::fill_n(row.begin(), n + 1, 0.0);
        for (std::uint32_t bits = negativeZeros[i]; bits != 0; bits &= bits - 1) {
            row[std::countr_zero(bits)] = -0.0;
        }
        row[i] = 1.0;
    }
}

}  // namespace

MaybeRefusal SolveGrid(MeasurementRecord& record) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    for (int k = 0; k <= n; ++k) {
        record.profile[k] = record.reading[k];
    }
    if (n >= 0 && IsPlainLowerTriangular(record.grid, n)) {
        LowerTriangularElimination(record.grid, record.profile, n);
        return std::nullopt;
    }
    return FullElimination(record.grid, record.profile, n);
}

}  // namespace tessaroven
