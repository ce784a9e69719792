// Typed calendar days.
#include "calc/typed_date.h"

#include <array>
#include <cstdio>

#include "calc/number_text.h"

namespace tessaroven {

namespace {

constexpr std::string_view kYearMark = "\xE5\xB9\xB4";        // 年
constexpr std::string_view kMonthMark = "\xE6\x9C\x88";       // 月
constexpr std::string_view kDayMark = "\xE6\x97\xA5";         // 日
constexpr std::string_view kFirstYear = "\xE5\x85\x83";       // 元
constexpr std::string_view kFullWidthSlash = "\xEF\xBC\x8F";  // ／

struct Era {
    std::string_view name;
    int firstYear;  // the Western year of the era's first year
    std::array<int, 3> first;
    std::array<int, 3> last;
};

// The eras a date of a measurement or of a calibration certificate can be in.
constexpr Era kEras[] = {
    {"\xE5\xB9\xB3\xE6\x88\x90", 1989, {1989, 1, 8}, {2019, 4, 30}},     // 平成
    {"\xE4\xBB\xA4\xE5\x92\x8C", 2019, {2019, 5, 1}, {999999, 12, 31}},  // 令和
};

// The text after the full-width forms are mapped and every blank is dropped.
std::string Normalised(std::string_view utf8) {
    std::string mapped;
    const std::string halfWidth = HalfWidthNumberText(utf8);
    for (std::size_t i = 0; i < halfWidth.size();) {
        if (std::string_view(halfWidth).substr(i).starts_with(kFullWidthSlash)) {
            mapped.push_back('/');
            i += kFullWidthSlash.size();
        } else if (halfWidth[i] == ' ' || halfWidth[i] == '\t') {
            ++i;
        } else {
            mapped.push_back(halfWidth[i++]);
        }
    }
    return mapped;
}

// Reads the text from the front, part by part.
class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) {}

    bool AtEnd() const { return m_text.empty(); }

    bool Take(std::string_view mark) {
        if (!m_text.starts_with(mark)) {
            return false;
        }
        m_text.remove_prefix(mark.size());
        return true;
    }

    // A number of fewest to most digits; nothing when there are fewer or more.
    std::optional<int> Digits(std::size_t fewest, std::size_t most) {
        std::size_t count = 0;
        int value = 0;
        while (count < m_text.size() && m_text[count] >= '0' && m_text[count] <= '9') {
            if (count == most) {
                return std::nullopt;
            }
            value = value * 10 + (m_text[count] - '0');
            ++count;
        }
        if (count < fewest) {
            return std::nullopt;
        }
        m_text.remove_prefix(count);
        return value;
    }

private:
    std::string_view m_text;
};

bool IsCalendarDay(int year, int month, int day) {
    constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1] &&
           (month != 2 || day < 29 || leap);
}

std::optional<std::string> IsoDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || !IsCalendarDay(year, month, day)) {
        return std::nullopt;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return std::string(text);
}

// 月 and 日 after the year, to the end of the text.
std::optional<std::string> MonthAndDay(Cursor& cursor, int year) {
    const std::optional<int> month = cursor.Digits(1, 2);
    if (!month || !cursor.Take(kMonthMark)) {
        return std::nullopt;
    }
    const std::optional<int> day = cursor.Digits(1, 2);
    if (!day || !cursor.Take(kDayMark) || !cursor.AtEnd()) {
        return std::nullopt;
    }
    return IsoDate(year, *month, *day);
}

std::optional<std::string> EraDate(Cursor& cursor, const Era& era) {
    std::optional<int> year = cursor.Take(kFirstYear) ? 1 : cursor.Digits(1, 2);
    if (!year || *year < 1 || !cursor.Take(kYearMark)) {
        return std::nullopt;
    }
    const int western = era.firstYear + *year - 1;
    std::optional<std::string> date = MonthAndDay(cursor, western);
    if (!date) {
        return std::nullopt;
    }
    // The text is YYYY-MM-DD now, so the era's bounds compare as numbers.
    const std::array<int, 3> day{western, std::stoi(date->substr(5, 2)), std::stoi(date->substr(8, 2))};
    if (day < era.first || day > era.last) {
        return std::nullopt;
    }
    return date;
}

}  // namespace

std::optional<std::string> ParseTypedDate(std::string_view utf8) {
    const std::string text = Normalised(utf8);
    Cursor cursor(text);
    for (const Era& era : kEras) {
        if (cursor.Take(era.name)) {
            return EraDate(cursor, era);
        }
    }
    const std::optional<int> year = cursor.Digits(4, 4);
    if (!year) {
        return std::nullopt;
    }
    if (cursor.Take(kYearMark)) {
        return MonthAndDay(cursor, *year);
    }
    for (const char separator : {'-', '/', '.'}) {
        const std::string_view mark(&separator, 1);
        if (!cursor.Take(mark)) {
            continue;
        }
        const std::optional<int> month = cursor.Digits(1, 2);
        if (!month || !cursor.Take(mark)) {
            return std::nullopt;
        }
        const std::optional<int> day = cursor.Digits(1, 2);
        if (!day || !cursor.AtEnd()) {
            return std::nullopt;
        }
        return IsoDate(*year, *month, *day);
    }
    return std::nullopt;
}

}  // namespace tessaroven
