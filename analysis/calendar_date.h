#pragma once

#include <compare>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace varnoth {

// A day of the Gregorian calendar (years 0000 to 9999, extended backwards
// as ISO 8601 does), ordered by time.
class CalendarDate {
public:
    // "YYYY-MM-DD" that names a real day ("2003-02-29" does not); nothing otherwise.
    static std::optional<CalendarDate> parse(std::string_view text);
    // The day that is `days` days after 1970-01-01 (negative: before it).
    static CalendarDate fromDayNumber(std::int32_t days);
    // The day number of a day of the calendar, month 1-12 and day 1-31, for
    // any year: the first day after 9999-12-31 has a number too, so that a
    // span can end there without a date that cannot be written.
    static std::int32_t dayNumberOf(int year, int month, int day);

    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }
    // Days since 1970-01-01: consecutive days have consecutive numbers.
    std::int32_t dayNumber() const;
    std::string text() const; // "YYYY-MM-DD"

    auto operator<=>(const CalendarDate &) const = default;

private:
    CalendarDate(int year, int month, int day)
        : year_(static_cast<std::int16_t>(year))
        , month_(static_cast<std::int8_t>(month))
        , day_(static_cast<std::int8_t>(day))
    {
    }
    std::int16_t year_;
    std::int8_t month_;
    std::int8_t day_;
};

// A span of days, both ends included; an end left open reaches as far as the log.
struct DateRange {
    std::optional<CalendarDate> from;
    std::optional<CalendarDate> to;

    bool whole() const { return !from && !to; }
    bool contains(const CalendarDate &date) const { return (!from || *from <= date) && (!to || date <= *to); }
    // Whether a run narrowed to the range reads a log line: every line when
    // both ends are open, otherwise only lines dated within the range.
    bool admits(std::string_view line) const;
};

// The date of a log line: its first 10 characters when they read
// "YYYY-MM-DD" as a real day. Works on the line's bytes whatever their
// encoding, since a date is plain ASCII.
std::optional<CalendarDate> lineDate(std::string_view line);

// The dates of the lines of a log in turn. A log is written in time order,
// so a line nearly always has the date of the line before it, which is then
// not read again: its first ten bytes are compared as two words.
class LineDates {
public:
    const std::optional<CalendarDate> &of(std::string_view line)
    {
        if (line.size() < 10) { // too short for a date
            known_ = false;
            date_.reset();
            return date_;
        }
        std::uint64_t head[2];
        std::memcpy(&head[0], line.data(), 8);
        std::memcpy(&head[1], line.data() + 2, 8);
        if (!known_ || head[0] != last_[0] || head[1] != last_[1]) {
            date_ = lineDate(line);
            last_[0] = head[0];
            last_[1] = head[1];
            known_ = true;
        }
        return date_;
    }

private:
    std::uint64_t last_[2] = {0, 0};
    bool known_ = false;
    std::optional<CalendarDate> date_;
};

// The hour of a line's date/time text (UTF-8): characters 12-13 when they
// read 00 to 23, the 11th character is a blank and the 14th ':'; -1 otherwise.
int lineHour(std::string_view dateTimeText);

} // namespace varnoth
