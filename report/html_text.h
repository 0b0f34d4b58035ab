#pragma once

#include <string>
#include <string_view>

namespace varnoth {

// A text for HTML or SVG content and attribute values: made printable, and
// & < > " ' written as character references, so that no nick or path can
// open a tag, end an attribute or start a script.
std::string htmlText(std::string_view text);
// The same, appended to out.
void appendHtmlText(std::string &out, std::string_view text);

} // namespace varnoth
