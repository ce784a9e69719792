// The measurement reset and the position-walk limit.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "record/measurement_record.h"

namespace tessaroven {
namespace {

TEST(ResetMeasurement, ClearsEverythingAndSetsThePiValue) {
    MeasurementRecord record;
    record.PointCount = 4;
    record.EditMode = 1;
    for (int i = 0; i < kSlotCount; ++i) {
        record.Reading[i] = i + 1;
        record.Result[i] = -i;
        record.EntryLine[i] = "entry";
        record.ResultLine[i] = "result";
        for (int j = 0; j < kSlotCount; ++j) {
            record.Grid[i][j] = i * j + 1;
        }
    }
    ResetMeasurement(record);
    EXPECT_EQ(record.PointCount, 0);
    EXPECT_EQ(record.EditMode, 0);
    EXPECT_EQ(record.PiValue, 3.14159);
    EXPECT_NE(record.PiValue, M_PI);
    for (int i = 0; i < kSlotCount; ++i) {
        EXPECT_EQ(record.Reading[i], 0.0);
        EXPECT_EQ(record.Result[i], 0.0);
        EXPECT_TRUE(record.EntryLine[i].empty());
        EXPECT_TRUE(record.ResultLine[i].empty());
        for (int j = 0; j < kSlotCount; ++j) {
            EXPECT_EQ(record.Grid[i][j], 0.0);
        }
    }
}

TEST(ResetMeasurement, BeforeTheFirstResetEveryNumberIsZero) {
    const MeasurementRecord record;
    EXPECT_EQ(record.PiValue, 0.0);
    EXPECT_EQ(record.PointCount, 0.0);
    EXPECT_EQ(record.Grid[30][30], 0.0);
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
