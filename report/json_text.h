#pragma once

#include <string>
#include <string_view>

#include <optional>

#include "analysis/calendar_date.h"
#include "wording/grid_rows.h"

namespace varnoth::json {

// A JSON string literal for UTF-8 text (the text exact: only what JSON
// requires is escaped).
std::string string(std::string_view text);
// The same, appended to out.
void appendString(std::string &out, std::string_view text);

// A JSON number: whole values up to 2^64 as integers with all their digits,
// others in the shortest form that reads back as the same double.
std::string number(double value);

// A day as "YYYY-MM-DD", or null.
std::string date(const std::optional<CalendarDate> &date);

// The rows of a grid as a JSON list of lists of cell texts.
std::string rows(const GridRows &rows);

} // namespace varnoth::json
