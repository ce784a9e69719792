// Dates as they are typed: the Western forms, full-width ones, the era forms, and what is refused.
#include <gtest/gtest.h>

#include "calc/typed_date.h"

namespace tessaroven {
namespace {

struct DateCase {
    const char* typed;
    const char* expected;  // nullptr: refused
};

class TypedDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(TypedDateTest, reads_the_usual_forms_into_the_files_form_and_refuses_the_rest) {
    const std::optional<std::string> date = ParseTypedDate(GetParam().typed);
    if (GetParam().expected == nullptr) {
        EXPECT_EQ(date, std::nullopt);
    } else {
        EXPECT_EQ(date, std::optional<std::string>(GetParam().expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dates, TypedDateTest,
    ::testing::Values(
        DateCase{"2026-12-07", "2026-12-07"}, DateCase{"2026/12/7", "2026-12-07"},
        DateCase{"2026.2.7", "2026-02-07"}, DateCase{" 2026 / 12 / 07\t", "2026-12-07"},
        DateCase{"２０２６／１２／０７", "2026-12-07"}, DateCase{"２０２６－１２－０７", "2026-12-07"},
        DateCase{"２０２６．１２．０７", "2026-12-07"}, DateCase{"2026年12月7日", "2026-12-07"},
        DateCase{"令和8年12月7日", "2026-12-07"}, DateCase{"令和８年１２月７日", "2026-12-07"},
        DateCase{"令和元年5月1日", "2019-05-01"}, DateCase{"平成31年4月30日", "2019-04-30"},
        DateCase{"平成元年1月8日", "1989-01-08"}, DateCase{"2024/2/29", "2024-02-29"},
        // refused: outside the calendar or the era, mixed or missing parts, other year forms
        DateCase{"2026/13/01", nullptr}, DateCase{"2025/2/29", nullptr}, DateCase{"令和元年4月30日", nullptr},
        DateCase{"平成31年5月1日", nullptr}, DateCase{"平成元年1月7日", nullptr},
        DateCase{"令和0年1月1日", nullptr}, DateCase{"2026/12-07", nullptr}, DateCase{"26/12/07", nullptr},
        DateCase{"2026/12/07/", nullptr}, DateCase{"2026年12月7", nullptr}, DateCase{"12/07/2026", nullptr},
        DateCase{"", nullptr}, DateCase{"2026/123/1", nullptr}));

}  // namespace
}  // namespace tessaroven
