#include "activity_json.h"

#include "json_text.h"

namespace varnoth::json {
namespace {

std::string date(const std::optional<CalendarDate> &date)
{
    return date ? string(date->text()) : "null";
}

std::string counts(const ActivityCount &c)
{
    return "\"uploads\": " + std::to_string(c.uploads) + ", \"bytes\": " + number(c.bytes) +
           ", \"seconds\": " + number(c.seconds);
}

} // namespace

std::string activity(const Activity &activity)
{
    std::string out =
        "{\"first\": " + date(activity.first()) + ", \"last\": " + date(activity.last()) + ",\n \"days\": [";
    for (std::size_t i = 0; i < activity.days.size(); ++i) {
        out += i ? ",\n  " : "\n  ";
        out += "{\"date\": " + string(activity.days[i].date.text()) + ", " + counts(activity.days[i].count) + "}";
    }
    out += "],\n \"hours\": [";
    for (std::size_t h = 0; h < activity.hours.size(); ++h) {
        out += h ? ",\n  " : "\n  ";
        out += "{\"hour\": " + std::to_string(h) + ", " + counts(activity.hours[h]) + "}";
    }
    return out + "],\n \"undated\": " + std::to_string(activity.undated) + "}";
}

} // namespace varnoth::json
