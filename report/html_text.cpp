#include "html_text.h"

#include "wording/display_text.h"

namespace varnoth {

void appendHtmlText(std::string &out, std::string_view text)
{
    const std::string shown = printable(text);
    std::size_t plain = 0; // the start of the characters not yet copied
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const char *reference = nullptr;
        switch (shown[i]) {
        case '&':
            reference = "&amp;";
            break;
        case '<':
            reference = "&lt;";
            break;
        case '>':
            reference = "&gt;";
            break;
        case '"':
            reference = "&quot;";
            break;
        case '\'':
            reference = "&#39;";
            break;
        default:
            continue;
        }
        out.append(shown, plain, i - plain);
        out += reference;
        plain = i + 1;
    }
    out.append(shown, plain, shown.size() - plain);
}

std::string htmlText(std::string_view text)
{
    std::string out;
    appendHtmlText(out, text);
    return out;
}

} // namespace varnoth
