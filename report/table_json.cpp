#include "table_json.h"

#include "json_text.h"

namespace varnoth::json {

std::string value(const ReportCell &cell)
{
    switch (cell.kind) {
    case ReportCell::Kind::Text:
        return string(cell.text);
    case ReportCell::Kind::Number:
        return cell.text;
    case ReportCell::Kind::Nothing:
        break;
    }
    return "null";
}

std::string object(const ReportTable &table, std::size_t row)
{
    std::string out = "{";
    for (std::size_t field = 0; field < table.fields.size(); ++field) {
        if (field > 0)
            out += ", ";
        out += string(table.fields[field]) + ": " + value(table.rows[row][field]);
    }
    return out + "}";
}

std::string objects(const ReportTable &table, std::string_view lineStart)
{
    std::string out = "[";
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        if (row > 0)
            out += ",";
        out += lineStart;
        out += object(table, row);
    }
    return out + "]";
}

} // namespace varnoth::json
