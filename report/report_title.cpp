#include "report_title.h"

namespace varnoth {

std::string_view logName(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

std::string rangeText(const DateRange &range)
{
    if (range.from && range.to)
        return range.from->text() + " to " + range.to->text();
    if (range.from)
        return "from " + range.from->text();
    if (range.to)
        return "until " + range.to->text();
    return "all dates";
}

} // namespace varnoth
