// The profile table's bytes: first line, column names, shortest numbers, empty cells for unknown values.
#include "formats/profile_table.h"

#include <gtest/gtest.h>

namespace tessaroven {
namespace {

TEST(ProfileTable, rows_with_and_without_uncertainty) {
    const ProfileEvaluation evaluation{62.5,
                                       {{0, 0, 100, 2, 0.5, 99.99994, 2.25, 100, 0, 100, 0},
                                        {1, 0.5, 9.5, 1, 1e-7, -0.0, {}, 9.3, {}, 1e21, {}}}};
    EXPECT_EQ(ProfileTableText(evaluation, "測定\r\nB"),
              "# distance_cm=62.5 comment=測定  B uncertainty=standard (k=1)\n" +
                  std::string(kProfileTableHeader) +
                  "\n0,0,100,0.5,99.99994,2.25,100,0,100,0\n1,0.5,9.5,1e-07,-0,,9.3,,1e+21,\n");
}

}  // namespace
}  // namespace tessaroven
