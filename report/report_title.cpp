#include "report_title.h"

#include "wording/activity_captions.h"

namespace varnoth {

std::string_view logName(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string datesText(const DateRange &range)
{
    return range.whole() ? std::string("all dates") : rangeText(range);
}

} // namespace varnoth
