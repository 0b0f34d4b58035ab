#include "csv_report.h"

#include "report_table.h"

namespace varnoth {
namespace {

void appendRecord(std::string &out, const std::vector<std::string> &fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += csvField(fields[i]);
    }
    out += "\r\n";
}

} // namespace

std::string csvField(std::string_view text)
{
    const bool quoted =
        text.find_first_of(",\";\r\n") != std::string_view::npos ||
        (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' || text.back() == '\t'));
    if (!quoted)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csvReport(const AnalysisReport &report, ReportList list, std::size_t top)
{
    const ReportTable table = listTable(report, list, top);
    std::string out;
    appendRecord(out, std::vector<std::string>(table.fields.begin(), table.fields.end()));
    std::vector<std::string> fields;
    for (const auto &row : table.rows) {
        fields.clear();
        for (const ReportCell &cell : row)
            fields.push_back(cell.text);
        appendRecord(out, fields);
    }
    return out;
}

} // namespace varnoth
