// The Gauss-Jordan solver on small systems.
#include <gtest/gtest.h>

#include "calc/solver.h"
#include "support/record_compare.h"

namespace tessaroven {
namespace {

MeasurementRecord SystemOf(std::initializer_list<std::initializer_list<double>> rows,
                           std::initializer_list<double> rightHandSide) {
    MeasurementRecord record;
    ResetMeasurement(record);
    int k = 0;
    for (const auto& row : rows) {
        int j = 0;
        for (double v : row) {
            record.grid[k][j++] = v;
        }
        ++k;
    }
    k = 0;
    for (double v : rightHandSide) {
        record.reading[k++] = v;
    }
    record.lastPosition = static_cast<double>(rows.size()) - 1;
    return record;
}

void ExpectIdentityBlock(const MeasurementRecord& record, int n) {
    for (int k = 0; k <= n; ++k) {
        for (int j = 0; j <= n; ++j) {
            EXPECT_EQ(record.grid[k][j], k == j ? 1.0 : 0.0) << k << "," << j;
        }
    }
}

TEST(SolveGrid, OneEquationDividesByItsCell) {
    MeasurementRecord record = SystemOf({{4}}, {10});
    ASSERT_FALSE(SolveGrid(record));
    EXPECT_EQ(record.profile[0], 2.5);
    EXPECT_EQ(record.grid[0][0], 1.0);
}

TEST(SolveGrid, LowerTriangularTwoByTwo) {
    MeasurementRecord record = SystemOf({{2, 0}, {1, 4}}, {6, 11});
    ASSERT_FALSE(SolveGrid(record));
    EXPECT_EQ(record.profile[0], 3.0);
    EXPECT_EQ(record.profile[1], 2.0);
    ExpectIdentityBlock(record, 1);
}

TEST(SolveGrid, FullSystemClearsTheUpperCellInTheBackwardPhase) {
    MeasurementRecord record = SystemOf({{2, 1}, {1, 3}}, {5, 10});
    ASSERT_FALSE(SolveGrid(record));
    EXPECT_DOUBLE_EQ(record.profile[0], 1.0);
    EXPECT_DOUBLE_EQ(record.profile[1], 3.0);
    ExpectIdentityBlock(record, 1);
}

TEST(SolveGrid, ThreeByThreeFullSystem) {
    MeasurementRecord record =
        SystemOf({{4, 1, 2}, {1, 5, 1}, {2, 1, 6}}, {4 + 2 + 6, 1 + 10 + 3, 2 + 2 + 18});
    ASSERT_FALSE(SolveGrid(record));  // solution 1, 2, 3
    EXPECT_NEAR(record.profile[0], 1.0, 1e-14);
    EXPECT_NEAR(record.profile[1], 2.0, 1e-14);
    EXPECT_NEAR(record.profile[2], 3.0, 1e-14);
    ExpectIdentityBlock(record, 2);
}

TEST(SolveGrid, ZeroFirstPivotIsRefusedWithoutTryingARowExchange) {
    MeasurementRecord record = SystemOf({{0, 1}, {1, 0}}, {2, 3});
    const MaybeRefusal refusal = SolveGrid(record);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason, Reason::ZeroPivot);
}

TEST(SolveGrid, ZeroLaterPivotIsRefused) {
    MeasurementRecord record = SystemOf({{1, 1}, {1, 1}}, {2, 2});
    const MaybeRefusal refusal = SolveGrid(record);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason, Reason::ZeroPivot);
}

TEST(SolveGrid, CellsAndSlotsOutsideTheBlockKeepTheirValues) {
    MeasurementRecord record = SystemOf({{2, 0}, {1, 4}}, {6, 11});
    record.grid[0][2] = 9;
    record.grid[2][0] = 8;
    record.grid[30][30] = 7;
    record.profile[2] = 5;
    ASSERT_FALSE(SolveGrid(record));
    EXPECT_EQ(record.grid[0][2], 9);
    EXPECT_EQ(record.grid[2][0], 8);
    EXPECT_EQ(record.grid[30][30], 7);
    EXPECT_EQ(record.profile[2], 5);
}

TEST(SolveGrid, NegativeOrTooLargeCountTouchesNothing) {
    for (double count : {-1.0, -1e300, 31.0, 1e300}) {
        MeasurementRecord record = SystemOf({{2, 0}, {1, 4}}, {6, 11});
        record.lastPosition = count;
        const MeasurementRecord before = record;
        const MaybeRefusal refusal = SolveGrid(record);
        EXPECT_EQ(static_cast<bool>(refusal), count > 30) << count;
        EXPECT_TRUE(testing::SameRecord(record, before)) << count;
    }
}

}  // namespace
}  // namespace tessaroven
