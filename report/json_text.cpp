#include "json_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace varnoth::json {

void appendString(std::string &out, std::string_view text)
{
    out += '"';
    std::size_t plain = 0; // the start of the characters not yet copied
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out.append(text, plain, i - plain);
        plain = i + 1;
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
        default: {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        }
        }
    }
    out.append(text, plain, text.size() - plain);
    out += '"';
}

std::string string(std::string_view text)
{
    std::string out;
    appendString(out, text);
    return out;
}

std::string number(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    // A whole number up to 2^64 with all of its digits (the double's exact
    // value), never in exponent form.
    if (value == std::trunc(value) && std::fabs(value) <= 18446744073709551616.0) {
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
