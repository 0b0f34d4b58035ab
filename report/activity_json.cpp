#include "activity_json.h"

#include "json_text.h"
#include "report_table.h"
#include "table_json.h"

namespace varnoth::json {

void writeActivity(const Activity &activity, ReportOutput &out)
{
    out << "{\"first\": " << date(activity.first()) << ", \"last\": " << date(activity.last()) << ",\n \"days\": ";
    writeObjects(dayTable(activity), "\n  ", out);
    out << ",\n \"hours\": ";
    writeObjects(hourTable(activity), "\n  ", out);
    out << ",\n \"undated\": " << std::to_string(activity.undated) << "}";
}

std::string activity(const Activity &activity)
{
    std::string text;
    ReportOutput out([&text](std::string_view block) { text += block; });
    writeActivity(activity, out);
    out.flush();
    return text;
}

} // namespace varnoth::json
