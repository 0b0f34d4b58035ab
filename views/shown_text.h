#pragma once

#include <QString>
#include <string_view>

#include "wording/display_text.h"

namespace varnoth {

// A name or path from a log as the window shows it: controls made visible,
// bidi and hidden format characters replaced (printable()).
inline QString shownText(std::string_view text)
{
    return QString::fromStdString(printable(text));
}
inline QString shownText(const QString &text)
{
    return shownText(text.toStdString());
}

} // namespace varnoth
