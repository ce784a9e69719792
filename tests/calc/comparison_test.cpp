// The comparison with a baseline on relative values: which positions are flagged, with the expanded
// uncertainty widening the tolerance, and what is said when the two profiles do not match in shape.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calc/comparison.h"

namespace tessaroven {
namespace {

// Relative values q_0..q_n with u(q_k) = k u, growing towards the edge as in a measured profile.
ProfileEvaluation Profile(const std::vector<double>& q, std::optional<double> u, double distance = 60) {
    ProfileEvaluation evaluation{distance, {}, u.has_value()};
    for (std::size_t k = 0; k < q.size(); ++k) {
        PositionEvaluation& p = evaluation.positions.emplace_back();
        p.position = static_cast<int>(k);
        p.relativePercent = q[k];
        p.relativePercentU = u ? std::optional(*u * static_cast<double>(k)) : std::nullopt;
    }
    return evaluation;
}

TEST(BaselineComparison, flags_a_position_only_beyond_the_tolerance_and_the_expanded_uncertainty) {
    struct Case {
        const char* name;
        std::vector<double> measured, baseline;
        std::optional<double> u, baseU;
        double tolerance;
        std::vector<int> flagged;
    };
    const std::vector<double> q{100, 93.6, 79, 57.1, 27.9};
    const Case cases[] = {
        {"equal baseline", q, q, 0.1, 0.1, 5, {}},
        {"ten points at one position", {100, 93.6, 89, 57.1, 27.9}, q, 0.1, 0.1, 5, {2}},
        // U_3 = 6.4 and U_4 = 8.5: 9 points off at 3 cm are flagged, 7 points at the edge are not.
        {"edge uncertainty over the tolerance", {100, 93.6, 79, 48.1, 34.9}, q, 0.75, 0.75, 5, {3}},
        {"exactly the tolerance is within it", {100, 90, 80}, {100, 95, 74}, {}, {}, 5, {2}},
        // An unknown uncertainty counts as 0, the known one still widens: U_2 = 6.
        {"one side's uncertainty unknown", {100, 93.6, 84.5}, {100, 93.6, 79}, 1.5, {}, 5, {}},
        {"zero tolerance", {100, 93.61}, {100, 93.6}, {}, {}, 0, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Expected<BaselineComparison> comparison =
            CompareWithBaseline(Profile(c.measured, c.u), Profile(c.baseline, c.baseU), c.tolerance);
        ASSERT_TRUE(comparison);
        std::vector<int> flagged;
        for (const PositionComparison& p : comparison->positions) {
            if (p.flagged) {
                flagged.push_back(p.position);
            }
        }
        EXPECT_EQ(flagged, c.flagged);
        EXPECT_EQ(comparison->flaggedCount, static_cast<int>(c.flagged.size()));
        EXPECT_FALSE(comparison->distanceDiffers || comparison->positionsDiffer);
    }
}

TEST(BaselineComparison, other_distance_and_positions_compare_the_common_ones_and_say_so) {
    const Expected<BaselineComparison> comparison =
        CompareWithBaseline(Profile({100, 80, 60, 40}, 1), Profile({100, 95, 70}, {}, 50));
    ASSERT_TRUE(comparison);
    EXPECT_EQ(FindComparison(*comparison, 3), nullptr);
    EXPECT_EQ(FindComparison(*comparison, 2)->expandedUncertaintyPercent, 4);
    EXPECT_EQ(
        ComparisonSummary(*comparison),
        "基準から外れた位置が 2 個あります (位置 1, 2 cm)。3 位置を比較 (許容差 5 ポイント)\n"
        "基準の焦点-回転中心間距離 (50 cm) はこの測定 (60 cm) と異なります\n"
        "基準の位置 (0 ～ 2 cm) はこの測定 (0 ～ 3 cm) と異なります。両方にある位置だけを比較しました\n");
    for (double tolerance : {-0.5, std::numeric_limits<double>::quiet_NaN(), HUGE_VAL}) {
        EXPECT_EQ(CompareWithBaseline(Profile({100}, {}), Profile({100}, {}), tolerance).error().reason,
                  Reason::ToleranceInvalid);
    }
}

}  // namespace
}  // namespace tessaroven
