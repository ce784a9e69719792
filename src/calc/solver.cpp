// The Gauss-Jordan elimination in natural order, without pivoting.
#include "calc/solver.h"

namespace tessaroven {

MaybeRefusal SolveGrid(MeasurementRecord& record) {
    const int n = LastPositionIndex(record.lastPosition);
    if (n > kLastSlot) {
        return Refuse(Reason::TooManyPositions);
    }
    auto& grid = record.grid;
    auto& profile = record.profile;
    for (int k = 0; k <= n; ++k) {
        profile[k] = record.reading[k];
    }

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

}  // namespace tessaroven
