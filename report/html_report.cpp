#include "html_report.h"

#include "activity_svg.h"
#include "analysis/activity_periods.h"
#include "html_text.h"
#include "report_title.h"
#include "shown_lists.h"
#include "wording/activity_captions.h"
#include "wording/summary_captions.h"

namespace varnoth {
namespace {

const char *const style = R"(
:root { color-scheme: light; --ink: #1d232b; --muted: #5b6572; --rule: #d5dae1; --band: #f3f5f8; --bar: #2f6fb3; }
* { box-sizing: border-box; }
body { margin: 0 auto; max-width: 72rem; padding: 1.5rem; font: 15px/1.45 system-ui, "DejaVu Sans", sans-serif; color: var(--ink); }
h1 { font-size: 1.5rem; margin: 0 0 .25rem; overflow-wrap: anywhere; }
h2 { font-size: 1.15rem; margin: 2rem 0 .5rem; padding-bottom: .2rem; border-bottom: 2px solid var(--rule); }
.meta { color: var(--muted); margin: 0; overflow-wrap: anywhere; }
.shown { font-weight: normal; color: var(--muted); font-size: .9rem; }
ul.summary { list-style: none; padding: 0; margin: 0; columns: 2 22rem; column-gap: 2rem; }
ul.summary li { padding: .2rem 0; border-bottom: 1px solid var(--band); break-inside: avoid; white-space: pre-wrap; }
table { border-collapse: collapse; min-width: 60%; }
th, td { text-align: left; padding: .25rem .6rem; border-bottom: 1px solid var(--rule); vertical-align: top; }
thead th { background: var(--band); }
tbody tr:nth-child(even) { background: #fafbfc; }
td.name { overflow-wrap: anywhere; }
th.num, td.num { text-align: right; white-space: nowrap; font-variant-numeric: tabular-nums; }
figure { margin: 1rem 0; }
figcaption { color: var(--muted); font-size: .9rem; }
svg.chart { width: 100%; height: auto; display: block; }
svg .bar { fill: var(--bar); }
svg .grid { stroke: var(--rule); stroke-width: 1; }
svg text { font: 12px system-ui, "DejaVu Sans", sans-serif; fill: var(--muted); }
svg .value { text-anchor: end; }
@media print {
  @page { margin: 15mm; }
  body { max-width: none; padding: 0; font-size: 10pt; }
  h2 { break-after: avoid; }
  thead { display: table-header-group; }
  tr, figure { break-inside: avoid; }
  tbody tr:nth-child(even) { background: none; }
  * { print-color-adjust: exact; -webkit-print-color-adjust: exact; }
}
)";

void writeTable(const ShownList &list, ReportOutput &out)
{
    out << "<table>\n<thead><tr>";
    for (std::size_t c = 0; c < list.headers.size(); ++c)
        out << (list.numeric[c] ? "<th scope=\"col\" class=\"num\">" : "<th scope=\"col\">")
            << htmlText(list.headers[c]) << "</th>";
    out << "</tr></thead>\n<tbody>\n";
    std::vector<std::string> cells;
    for (std::size_t r = 0; r < list.shown; ++r) {
        list.rowCells(r, cells);
        // Each row escaped straight into the block being gathered.
        std::string &row = out.block();
        row += "<tr>";
        for (std::size_t c = 0; c < cells.size(); ++c) {
            row += list.numeric[c] ? "<td class=\"num\">" : "<td class=\"name\">";
            appendHtmlText(row, cells[c]);
            row += "</td>";
        }
        row += "</tr>\n";
        out.flushIfFull();
    }
    out << "</tbody>\n</table>\n";
}

void sectionStart(const char *id, const std::string &heading, ReportOutput &out)
{
    out << "<section id=\"" << id << "\">\n<h2>" << heading << "</h2>\n";
}

void writeActivity(const Activity &activity, const NumberFormat &format, ReportOutput &out)
{
    sectionStart("activity", "Activity", out);
    const ActivityPeriods periods = activityPeriods(activity);
    const std::string chart = periodChart(periods, format);
    if (!chart.empty())
        out << "<figure>\n"
            << chart << "<figcaption>" << htmlText(periodChartTitle(periods.length)) << "</figcaption>\n</figure>\n";
    out << "<figure>\n"
        << hourChart(activity, format) << "<figcaption>" << hourChartTitle << "</figcaption>\n</figure>\n";
    out << "<ul class=\"summary\">\n";
    for (const std::string &line : {busiestDayCaption(activity, format), busiestHourCaption(activity),
                                    daysCaption(activity, format), undatedCaption(activity)}) {
        if (!line.empty())
            out << "<li>" << htmlText(line) << "</li>\n";
    }
    out << "</ul>\n</section>\n";
}

} // namespace

void writeHtmlReport(const AnalysisReport &report, const std::vector<std::string> &logs, std::size_t top,
                     const NumberFormat &format, std::optional<unsigned> reloadSeconds, ReportOutput &out)
{
    const std::string dates = datesText(report.range);
    const std::string first = logs.empty() ? std::string() : logs.front();
    std::string named = std::string(logName(first));
    if (logs.size() > 1)
        named += " \u2026 " + std::string(logName(logs.back()));
    std::string logList;
    for (const std::string &log : logs)
        logList += (logList.empty() ? "" : ", ") + log;
    const std::string title = htmlText("Varnoth report: " + named + ", " + dates);
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
           "style-src 'unsafe-inline'\">\n";
    if (reloadSeconds)
        out << "<meta http-equiv=\"refresh\" content=\"" << std::to_string(*reloadSeconds) << "\">\n";
    out << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" << title
        << "</title>\n<style>" << style << "</style>\n</head>\n<body>\n<header>\n<h1>" << title
        << "</h1>\n<p class=\"meta\">" << (logs.size() > 1 ? "Logs: " : "Log: ") << htmlText(logList)
        << "</p>\n<p class=\"meta\">Dates: " << htmlText(dates) << "</p>\n</header>\n";

    sectionStart("summary", "Summary", out);
    out << "<ul class=\"summary\">\n";
    for (const std::string &caption : captionLines(summaryCaptions(report.summary, format)))
        out << "<li>" << htmlText(caption) << "</li>\n";
    out << "</ul>\n</section>\n";

    for (const ShownList &list : shownLists(report, format, top)) {
        const std::string count = shownCount(list);
        sectionStart(reportListName(list.list),
                     htmlText(list.title) + (count.empty() ? "" : " <span class=\"shown\">" + count + "</span>"), out);
        writeTable(list, out);
        out << "</section>\n";
    }
    writeActivity(report.activity, format, out);
    out << "</body>\n</html>\n";
}

} // namespace varnoth
