#include "html_text.h"

#include "wording/display_text.h"

namespace varnoth {

std::string htmlText(std::string_view text)
{
    std::string out;
    for (char c : printable(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace varnoth
