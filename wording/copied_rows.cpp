#include "copied_rows.h"

namespace varnoth {
namespace {

void appendCell(std::string &out, const std::string &cell)
{
    if (cell.find_first_of("\t\r\n") == std::string::npos && !cell.starts_with('"')) {
        out += cell;
        return;
    }
    out += '"';
    for (const char c : cell) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendLine(std::string &out, const std::string *cells, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out += '\t';
        appendCell(out, cells[i]);
    }
    out += '\n';
}

} // namespace

std::string tabSeparatedRows(const std::vector<std::string> &header, const GridRows &rows,
                             const std::vector<std::size_t> &which)
{
    std::string out;
    appendLine(out, header.data(), header.size());
    for (const std::size_t row : which)
        appendLine(out, &rows.cell(row, 0), rows.columns);
    return out;
}

} // namespace varnoth
