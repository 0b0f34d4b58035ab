#pragma once

#include <string>
#include <string_view>

#include "analysis/calendar_date.h"

namespace varnoth {

// The log's file name: what follows the path's last "/" or "\".
std::string_view logName(std::string_view path);

// The dates a run covered: "from 2003-06-01 to 2003-06-30", "from
// 2003-06-01 on", "up to 2003-06-30", or "all dates" for the whole log.
std::string datesText(const DateRange &range);

} // namespace varnoth
