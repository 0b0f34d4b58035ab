#include "activity.h"

namespace varnoth {

std::optional<CalendarDate> Activity::first() const
{
    return days.empty() ? std::nullopt : std::optional<CalendarDate>(days.front().date);
}

std::optional<CalendarDate> Activity::last() const
{
    return days.empty() ? std::nullopt : std::optional<CalendarDate>(days.back().date);
}

} // namespace varnoth
