// Calendar days as people in Japan type them into a form, read into the one form the measurement file keeps
// (YYYY-MM-DD): the Western forms with "-", "/" or "." between the parts, the 年月日 form, and the era forms
// of Heisei and Reiwa (元年 for the first year). Full-width digits and separators, and blanks anywhere, are
// taken as an input method types them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaroven {

// "2026/12/7", "２０２６－１２－０７", "2026年12月7日", "令和8年12月7日" and "令和元年5月1日" give
// "2026-12-07" and "2019-05-01". Nothing for anything else: a part missing or left over, mixed separators, a
// year not of four digits, a day the calendar does not have, or an era day outside the era.
std::optional<std::string> ParseTypedDate(std::string_view utf8);

}  // namespace tessaroven
