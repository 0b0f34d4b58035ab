#include "json_writer.h"

#include <cstdio>

namespace varnoth::bench {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string jsonRows(const GridRows &rows)
{
    std::string out = "[";
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        out += r == 0 ? "[" : ", [";
        for (std::size_t c = 0; c < rows.columns; ++c) {
            if (c > 0)
                out += ", ";
            out += jsonString(rows.cell(r, c));
        }
        out += "]";
    }
    return out + "]";
}

} // namespace varnoth::bench
