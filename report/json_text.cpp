#include "json_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace varnoth::json {

std::string string(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
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

std::string number(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    if (value == std::trunc(value) && std::fabs(value) < 9007199254740992.0) {
        std::snprintf(text, sizeof text, "%.0f", value);
        return value == 0 ? "0" : text;
    }
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string date(const std::optional<CalendarDate> &date)
{
    return date ? string(date->text()) : "null";
}

std::string rows(const GridRows &rows)
{
    std::string out = "[";
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        out += r == 0 ? "[" : ", [";
        for (std::size_t c = 0; c < rows.columns; ++c) {
            if (c > 0)
                out += ", ";
            out += string(rows.cell(r, c));
        }
        out += "]";
    }
    return out + "]";
}

} // namespace varnoth::json
