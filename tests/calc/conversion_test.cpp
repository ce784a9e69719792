// The conversion from readings to the profile: grid model, worked examples, refusals.
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "calc/conversion.h"
#include "support/record_compare.h"

namespace tessaroven {
namespace {

using testing::RecordWithReadings;
using testing::SameRecord;

TEST(GridModel, FirstRowsForSixtyCentimetresToSixDecimals) {
    MeasurementRecord record = RecordWithReadings({1, 1, 1, 1, 1});
    ASSERT_FALSE(BuildGrid(record, 60));
    const std::vector<std::vector<double>> expected = {
        {1.000001},
        {0.214595, 0.785684},
        {0.043359, 0.342198, 0.615556},
        {0.018903, 0.122368, 0.341268, 0.519967},
        {0.010579, 0.065788, 0.148393, 0.319310, 0.460395},
    };
    for (int k = 0; k < 5; ++k) {
        for (int j = 0; j < kSlotCount; ++j) {
            if (j <= k) {
                EXPECT_NEAR(record.grid[k][j], expected[k][j], 5e-7) << k << "," << j;
            } else {
                EXPECT_EQ(record.grid[k][j], 0.0) << k << "," << j;
            }
        }
    }
    for (int k = 5; k < kSlotCount; ++k) {
        for (int j = 0; j < kSlotCount; ++j) {
            EXPECT_EQ(record.grid[k][j], 0.0);
        }
    }
}

TEST(GridModel, RowZeroIsTheSumOfTheWeightsWithTheProgramsPi) {
    MeasurementRecord record = RecordWithReadings({1});
    ASSERT_FALSE(BuildGrid(record, 60));
    EXPECT_NEAR(record.grid[0][0], 1.0000006, 5e-8);
    double sum = 0;
    for (int m = -45; m <= 44; ++m) {
        sum += std::cos((GantryAngleDegrees(m) / 180.0) * 3.14159) / 57.2987;
    }
    EXPECT_DOUBLE_EQ(record.grid[0][0], sum);
}

TEST(GridModel, AnglesAreTheOddDegreesFromMinus89To89) {
    EXPECT_EQ(GantryAngleDegrees(-45), -89);
    EXPECT_EQ(GantryAngleDegrees(0), 1);
    EXPECT_EQ(GantryAngleDegrees(44), 89);
}

TEST(GridModel, ShortDistanceWithAllPositionsStaysLowerTriangularAndInRange) {
    // With 31 positions and 31 cm many rays cross far beyond the last position; they must land on the
    // diagonal.
    MeasurementRecord record;
    ResetMeasurement(record);
    record.lastPosition = 30;
    ASSERT_FALSE(BuildGrid(record, 31));
    for (int k = 0; k < kSlotCount; ++k) {
        double rowSum = 0;
        for (int j = 0; j < kSlotCount; ++j) {
            if (j > k) {
                EXPECT_EQ(record.grid[k][j], 0.0);
            }
            rowSum += record.grid[k][j];
        }
        EXPECT_GT(record.grid[k][k], 0.0);
        EXPECT_TRUE(std::isfinite(rowSum));
    }
}

TEST(Conversion, WorkedExampleToSixDecimalsAndAsListed) {
    MeasurementRecord record = RecordWithReadings({100, 95, 85, 70, 50});
    ASSERT_FALSE(RunConversion(record, 60));
    const double reading[] = {99.999936, 93.600683, 79.008466, 57.105193, 27.858070};
    const double result[] = {100, 93.600744, 79.008517, 57.105230, 27.858088};
    const char* lines[] = {"0 : 100.000  100.0", "1 : 93.601  93.6", "2 : 79.008  79.0", "3 : 57.105  57.1",
                           "4 : 27.858  27.9"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(record.profile[i], reading[i], 5e-7) << i;
        EXPECT_NEAR(record.relativePercent[i], result[i], 5e-7) << i;
        EXPECT_EQ(record.resultLines[i], lines[i]);
    }
    EXPECT_EQ(record.relativePercent[0], 100.0);
    for (int k = 0; k < kSlotCount;
         ++k) {  // the solver leaves the identity in the used block, zeros elsewhere
        for (int j = 0; j < kSlotCount; ++j) {
            EXPECT_EQ(record.grid[k][j], (k == j && k <= 4) ? 1.0 : 0.0) << k << "," << j;
        }
    }
    EXPECT_TRUE(record.resultLines[5].empty());
}

TEST(Conversion, WorksOnTheEnteredReadingsEveryTime) {
    // Converting again gives the same record bit for bit; a corrected reading converts like a fresh entry.
    const MeasurementRecord entered = RecordWithReadings({100, 95, 85, 70, 50});
    MeasurementRecord once = entered;
    ASSERT_FALSE(RunConversion(once, 60));
    EXPECT_EQ(once.reading, entered.reading);
    MeasurementRecord twice = once;
    ASSERT_FALSE(RunConversion(twice, 60));
    EXPECT_TRUE(SameRecord(once, twice));

    MeasurementRecord corrected = once;
    corrected.reading[1] = 96;
    ASSERT_FALSE(RunConversion(corrected, 60));
    MeasurementRecord fresh = RecordWithReadings({100, 96, 85, 70, 50});
    ASSERT_FALSE(RunConversion(fresh, 60));
    EXPECT_TRUE(SameRecord(corrected, fresh));
}

TEST(Conversion, ListLinesUseTheLocaleSeparator) {
    MeasurementRecord record = RecordWithReadings({100, 95, 85, 70, 50});
    ASSERT_FALSE(RunConversion(record, 60, ','));
    EXPECT_EQ(record.resultLines[1], "1 : 93,601  93,6");
}

TEST(Conversion, OnePointIsTheReadingOverTheWeightSum) {
    MeasurementRecord record = RecordWithReadings({50});
    ASSERT_FALSE(RunConversion(record, 60));
    double weightSum = 0;
    for (int m = -45; m <= 44; ++m) {
        weightSum += std::cos((GantryAngleDegrees(m) / 180.0) * 3.14159) / 57.2987;
    }
    EXPECT_DOUBLE_EQ(record.profile[0], 50 / weightSum);
    EXPECT_EQ(record.relativePercent[0], 100.0);
    EXPECT_EQ(record.resultLines[0], "0 : 50.000  100.0");  // 49.99997 rounds up at the third decimal
    EXPECT_TRUE(record.resultLines[1].empty());
}

TEST(Conversion, NoPositionsOnlyClearsTheGrid) {
    MeasurementRecord record = RecordWithReadings({100, 95});
    record.lastPosition = -1;
    record.grid[3][2] = 7;
    record.resultLines[0] = "old";
    ASSERT_FALSE(RunConversion(record, 0));  // the distance is never used
    EXPECT_EQ(record.grid[3][2], 0.0);
    EXPECT_EQ(record.reading[0], 100.0);
    EXPECT_EQ(record.resultLines[0], "old");
}

TEST(Conversion, CentreIsExactlyOneHundredForAnyNonZeroCentre) {
    for (double centre : {1e-300, 0.001, 1.0, 3.3, 97.25, 1e6, -42.0, 1e300}) {
        MeasurementRecord record = RecordWithReadings({centre, centre * 0.9, centre * 0.5});
        ASSERT_FALSE(RunConversion(record, 60)) << centre;
        EXPECT_EQ(record.relativePercent[0], 100.0) << centre;
    }
}

TEST(Conversion, SlotsAboveTheLastPositionAreUntouched) {
    MeasurementRecord record = RecordWithReadings({100, 95, 85});
    record.profile[3] = 11;
    record.relativePercent[3] = 22;
    record.resultLines[3] = "kept";
    ASSERT_FALSE(RunConversion(record, 60));
    EXPECT_EQ(record.profile[3], 11);
    EXPECT_EQ(record.relativePercent[3], 22);
    EXPECT_EQ(record.resultLines[3], "kept");
}

struct RefusalCase {
    const char* name;
    std::vector<double> readings;
    double pointCount;  // overrides readings.size() - 1 when not NaN
    double distance;
    Reason reason;
};

class ConversionRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ConversionRefusal, IsReportedAndLeavesTheRecordAsItWas) {
    const RefusalCase& c = GetParam();
    MeasurementRecord record;
    ResetMeasurement(record);
    for (std::size_t k = 0; k < c.readings.size(); ++k) {
        record.reading[k] = c.readings[k];
    }
    record.lastPosition =
        std::isnan(c.pointCount) ? static_cast<double>(c.readings.size()) - 1 : c.pointCount;
    record.grid[30][30] = 5;  // something the conversion would clear
    record.resultLines[0] = "before";
    record.readingLines[1] = " (1)  0  :  100";
    const MeasurementRecord before = record;

    const MaybeRefusal refusal = RunConversion(record, c.distance);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->reason, c.reason);
    EXPECT_FALSE(refusal->message.empty());
    EXPECT_TRUE(SameRecord(record, before));
}

const double kDefaultCount = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    Limits, ConversionRefusal,
    ::testing::Values(
        RefusalCase{"ZeroDistance", {100, 95, 85}, kDefaultCount, 0, Reason::DistanceNotANumber},
        RefusalCase{
            "DistanceBelowRadius", {100, 95, 85, 70, 50}, kDefaultCount, 3.5, Reason::DistanceTooShort},
        RefusalCase{
            "DistanceEqualToAPosition", {100, 95, 85, 70, 50}, kDefaultCount, 1, Reason::DistanceTooShort},
        RefusalCase{"DistanceWithinOneCentimetreOfTheLastPosition",
                    {100, 95, 85, 70, 50},
                    kDefaultCount,
                    4.999,
                    Reason::DistanceTooShort},
        RefusalCase{"NegativeDistance", {100}, kDefaultCount, -60, Reason::DistanceTooShort},
        RefusalCase{"InfiniteDistance",
                    {100},
                    kDefaultCount,
                    std::numeric_limits<double>::infinity(),
                    Reason::DistanceNotANumber},
        RefusalCase{"HugeDistance", {100, 90}, kDefaultCount, 1e200, Reason::NonFiniteResult},
        RefusalCase{"ZeroCentre", {0, 95, 85}, kDefaultCount, 60, Reason::ZeroCentreValue},
        RefusalCase{"AllZero", {0, 0, 0, 0, 0}, kDefaultCount, 60, Reason::ZeroCentreValue},
        RefusalCase{
            "OverflowingReadings", {1e308, -1e308, 1e308}, kDefaultCount, 60, Reason::NonFiniteResult},
        RefusalCase{"TinyCentreHugeOther", {1e-300, 1e300}, kDefaultCount, 60, Reason::NonFiniteResult},
        RefusalCase{"ThirtyOnePositionsIndex", {100}, 31, 60, Reason::TooManyPositions},
        RefusalCase{"HugePointCount", {100}, 1e300, 60, Reason::TooManyPositions},
        RefusalCase{"NotANumberPointCount",
                    {100},
                    std::numeric_limits<double>::infinity(),
                    60,
                    Reason::TooManyPositions}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(ConversionStages, CommitCopiesOnlyTheConversionsMembers) {
    MeasurementRecord record = RecordWithReadings({100, 95, 85, 70, 50});
    Conversion conversion(record, 60);
    ASSERT_FALSE(conversion.BuildGrid());
    ASSERT_FALSE(conversion.Solve());
    ASSERT_FALSE(conversion.Finish());
    record.readingLines[2] = "typed meanwhile";  // not part of the conversion: must survive the commit
    record.correcting = true;
    EXPECT_EQ(record.reading[1], 95);  // nothing changes before the commit
    conversion.CommitTo(record);
    EXPECT_EQ(record.readingLines[2], "typed meanwhile");
    EXPECT_TRUE(record.correcting);
    EXPECT_EQ(record.resultLines[4], "4 : 27.858  27.9");
}

}  // namespace
}  // namespace tessaroven
