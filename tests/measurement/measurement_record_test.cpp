// The measurement reset and the position-walk limit.
#include <cmath>
#include <limits>
#include <numbers>

#include <gtest/gtest.h>

#include "measurement/measurement_record.h"

namespace tessaroven {
namespace {

TEST(ResetMeasurement, ClearsEverythingAndSetsThePiValue) {
    MeasurementRecord record;
    record.lastPosition = 4;
    record.correcting = true;
    for (int i = 0; i < kSlotCount; ++i) {
        record.reading[i] = i + 1;
        record.relativePercent[i] = -i;
        record.readingLines[i] = "entry";
        record.resultLines[i] = "result";
        for (int j = 0; j < kSlotCount; ++j) {
            record.grid[i][j] = i * j + 1;
        }
    }
    ResetMeasurement(record);
    EXPECT_EQ(record.lastPosition, 0);
    EXPECT_FALSE(record.correcting);
    EXPECT_EQ(record.piValue, 3.14159);
    EXPECT_NE(record.piValue, std::numbers::pi);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(record.reading[i], 0.0);
        EXPECT_EQ(record.relativePercent[i], 0.0);
        EXPECT_TRUE(record.readingLines[i].empty());
        EXPECT_TRUE(record.resultLines[i].empty());
        for (int j = 0; j < kSlotCount; ++j) {
            EXPECT_EQ(record.grid[i][j], 0.0);
        }
    }
}

TEST(ResetMeasurement, BeforeTheFirstResetEveryNumberIsZero) {
    const MeasurementRecord record;
    EXPECT_EQ(record.piValue, 0.0);
    EXPECT_EQ(record.lastPosition, 0.0);
    EXPECT_EQ(record.grid[30][30], 0.0);
}

TEST(LastPositionIndex, LimitsWalksToTheSlots) {
    EXPECT_EQ(LastPositionIndex(4), 4);
    EXPECT_EQ(LastPositionIndex(0), 0);
    EXPECT_EQ(LastPositionIndex(30), 30);
    EXPECT_EQ(LastPositionIndex(-1), -1);
    EXPECT_EQ(LastPositionIndex(-1e300), -1);
    EXPECT_EQ(LastPositionIndex(31), kSlotCount);
    EXPECT_EQ(LastPositionIndex(1e300), kSlotCount);
    EXPECT_EQ(LastPositionIndex(std::numeric_limits<double>::infinity()), kSlotCount);
    EXPECT_EQ(LastPositionIndex(std::nan("")), kSlotCount);
}

}  // namespace
}  // namespace tessaroven
