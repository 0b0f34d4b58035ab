#include "calendar_date.h"

#include <cstring>

#include "forms/text.h"

namespace varnoth {
namespace {

bool isLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// The value of `count` ASCII digits at `text`, or -1.
int digits(std::string_view text, std::size_t at, std::size_t count)
{
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i]))
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<CalendarDate> CalendarDate::parse(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return CalendarDate(year, month, day);
}

// Days from and to the civil calendar, after Howard Hinnant's public-domain
// algorithms: a year is taken to begin in March, so that the leap day ends it.
std::int32_t CalendarDate::dayNumberOf(int year, int month, int day)
{
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::int32_t CalendarDate::dayNumber() const
{
    return dayNumberOf(year_, month_, day_);
}

CalendarDate CalendarDate::fromDayNumber(std::int32_t days)
{
    const int z = days + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const int month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return CalendarDate(yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day);
}

std::string CalendarDate::text() const
{
    std::string out = "0000-00-00";
    auto put = [&](std::size_t at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            out[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    };
    put(0, year_, 4);
    put(5, month_, 2);
    put(8, day_, 2);
    return out;
}

std::optional<CalendarDate> lineDate(std::string_view line)
{
    return line.size() < 10 ? std::nullopt : CalendarDate::parse(line.substr(0, 10));
}

bool DateRange::admits(std::string_view line) const
{
    if (whole())
        return true;
    const auto date = lineDate(line);
    return date && contains(*date);
}

int lineHour(std::string_view dateTimeText)
{
    // Characters 11 to 14; whatever precedes them counts by characters
    // (nearly always ten ASCII bytes, tested as two words).
    std::size_t at = 10;
    std::uint64_t words[2] = {0x80, 0};
    if (dateTimeText.size() >= 14) {
        std::memcpy(&words[0], dateTimeText.data(), 8);
        std::memcpy(&words[1], dateTimeText.data() + 2, 8);
    }
    if (((words[0] | words[1]) & 0x8080808080808080ull) != 0)
        at = stepForward(dateTimeText, 0, 10);
    if (dateTimeText.size() < at + 4 || dateTimeText[at] != ' ' || dateTimeText[at + 3] != ':')
        return -1;
    const int hour = digits(dateTimeText, at + 1, 2);
    return hour >= 0 && hour <= 23 ? hour : -1;
}

} // namespace varnoth
