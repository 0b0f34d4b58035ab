#include "json_report.h"

#include "activity_json.h"
#include "json_text.h"
#include "report_table.h"
#include "table_json.h"

namespace varnoth {
namespace {

std::string range(const DateRange &range)
{
    if (range.whole())
        return "null";
    return "{\"from\": " + json::date(range.from) + ", \"to\": " + json::date(range.to) + "}";
}

} // namespace

std::string jsonReport(const AnalysisReport &report, const std::string &log, std::size_t top)
{
    std::string out = "{\"log\": " + json::string(log) + ",\n \"range\": " + range(report.range) +
                      ",\n \"summary\": " + json::object(summaryTable(report.summary), 0);
    for (ReportList list : {ReportList::Downloaders, ReportList::Files, ReportList::Folders}) {
        out += ",\n " + json::string(reportListName(list)) + ": ";
        out += json::objects(listTable(report, list, top), "\n  ");
    }
    return out + ",\n \"activity\": " + json::activity(report.activity) + "}\n";
}

} // namespace varnoth
