#include "report_request.h"

#include <limits>

#include "csv_report.h"
#include "html_report.h"
#include "json_report.h"
#include "text_report.h"

namespace varnoth {

std::optional<ReportFormat> reportFormatNamed(std::string_view name)
{
    if (name == "text")
        return ReportFormat::Text;
    if (name == "csv")
        return ReportFormat::Csv;
    if (name == "json")
        return ReportFormat::Json;
    if (name == "html")
        return ReportFormat::Html;
    return std::nullopt;
}

std::optional<ReportList> reportListNamed(std::string_view name)
{
    for (ReportList list : allReportLists) {
        if (name == reportListName(list))
            return list;
    }
    return std::nullopt;
}

const char *reportListName(ReportList list)
{
    switch (list) {
    case ReportList::Downloaders:
        return "downloaders";
    case ReportList::Files:
        return "files";
    case ReportList::Folders:
        return "folders";
    case ReportList::Days:
        return "days";
    case ReportList::Hours:
        break;
    }
    return "hours";
}

std::size_t defaultTop(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Text:
        return 20;
    case ReportFormat::Html:
        return 100;
    case ReportFormat::Csv:
    case ReportFormat::Json:
        break;
    }
    return std::numeric_limits<std::size_t>::max();
}

void writeReport(const AnalysisReport &report, const ReportRequest &request, ReportOutput &out)
{
    const std::size_t top = request.top.value_or(defaultTop(request.format));
    switch (request.format) {
    case ReportFormat::Text:
        writeTextReport(report, top, request.numberFormat, out);
        break;
    case ReportFormat::Csv:
        writeCsvReport(report, request.list, top, request.csvCells, out);
        break;
    case ReportFormat::Json:
        writeJsonReport(report, request.logs, top, out);
        break;
    case ReportFormat::Html:
        writeHtmlReport(report, request.logs, top, request.numberFormat, request.reloadSeconds, out);
        break;
    }
    out.flush();
}

std::string reportText(const AnalysisReport &report, const ReportRequest &request)
{
    std::string text;
    ReportOutput out([&text](std::string_view block) { text += block; });
    writeReport(report, request, out);
    return text;
}

} // namespace varnoth
