#include "activity_json.h"

#include "json_text.h"
#include "report_table.h"
#include "table_json.h"

namespace varnoth::json {

std::string activity(const Activity &activity)
{
    return "{\"first\": " + date(activity.first()) + ", \"last\": " + date(activity.last()) +
           ",\n \"days\": " + objects(dayTable(activity), "\n  ") +
           ",\n \"hours\": " + objects(hourTable(activity), "\n  ") +
           ",\n \"undated\": " + std::to_string(activity.undated) + "}";
}

} // namespace varnoth::json
