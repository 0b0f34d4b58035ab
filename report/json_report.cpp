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

void writeJsonReport(const AnalysisReport &report, const std::vector<std::string> &logs, std::size_t top,
                     ReportOutput &out)
{
    out << "{\"log\": " << json::string(logs.empty() ? std::string() : logs.front()) << ",\n \"logs\": [";
    for (std::size_t i = 0; i < logs.size(); ++i)
        out << (i > 0 ? ", " : "") << json::string(logs[i]);
    out << "],\n \"range\": " << range(report.range) << ",\n \"summary\": ";
    json::writeObject(summaryTable(report.summary), out);
    for (ReportList list : {ReportList::Downloaders, ReportList::Files, ReportList::Folders}) {
        out << ",\n " << json::string(reportListName(list)) << ": ";
        json::writeObjects(listTable(report, list, top), "\n  ", out);
    }
    out << ",\n \"activity\": ";
    json::writeActivity(report.activity, out);
    out << "}\n";
}

} // namespace varnoth
