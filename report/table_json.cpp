#include "table_json.h"

#include "json_text.h"

namespace varnoth::json {
namespace {

void appendObject(std::string &out, const ReportTable &table, const std::vector<ReportCell> &cells)
{
    out += '{';
    for (std::size_t field = 0; field < table.fields.size(); ++field) {
        if (field > 0)
            out += ", ";
        out += '"';
        out += table.fields[field]; // field names need no escape
        out += "\": ";
        appendValue(out, cells[field]);
    }
    out += '}';
}

} // namespace

void appendValue(std::string &out, const ReportCell &cell)
{
    switch (cell.kind) {
    case ReportCell::Kind::Text:
        appendString(out, cell.text);
        return;
    case ReportCell::Kind::Number:
        out += cell.text;
        return;
    case ReportCell::Kind::Nothing:
        break;
    }
    out += "null";
}

void writeObject(const ReportTable &table, ReportOutput &out)
{
    std::vector<ReportCell> cells;
    table.rowCells(0, cells);
    appendObject(out.block(), table, cells);
    out.flushIfFull();
}

void writeObjects(const ReportTable &table, std::string_view lineStart, ReportOutput &out)
{
    std::vector<ReportCell> cells;
    out << '[';
    for (std::size_t row = 0; row < table.rowCount; ++row) {
        if (row > 0)
            out.block() += ',';
        out.block() += lineStart;
        table.rowCells(row, cells);
        appendObject(out.block(), table, cells);
        out.flushIfFull();
    }
    out << ']';
}

} // namespace varnoth::json
