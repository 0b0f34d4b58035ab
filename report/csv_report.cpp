#include "csv_report.h"

#include <vector>

#include "report_table.h"

namespace varnoth {
namespace {

bool startsFormula(std::string_view text)
{
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

} // namespace

void appendCsvField(std::string &out, std::string_view text, CsvCells cells)
{
    const bool guard = cells == CsvCells::Guarded && startsFormula(text);
    const bool quoted = text.find_first_of(",\";\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.back() == ' ' || text.back() == '\t' ||
                                           (!guard && (text.front() == ' ' || text.front() == '\t'))));
    if (quoted)
        out += '"';
    if (guard)
        out += '\'';
    if (!quoted) {
        out += text;
        return;
    }
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void writeCsvReport(const AnalysisReport &report, ReportList list, std::size_t top, CsvCells cells, ReportOutput &out)
{
    const ReportTable table = listTable(report, list, top);
    std::string &block = out.block();
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        if (i > 0)
            block += ',';
        block += table.fields[i];
    }
    block += "\r\n";
    std::vector<ReportCell> row;
    for (std::size_t r = 0; r < table.rowCount; ++r) {
        table.rowCells(r, row);
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out.block() += ',';
            if (row[i].kind == ReportCell::Kind::Text)
                appendCsvField(out.block(), row[i].text, cells);
            else if (row[i].kind == ReportCell::Kind::Number)
                out.block() += row[i].text;
        }
        out.block() += "\r\n";
        out.flushIfFull();
    }
}

} // namespace varnoth
