#pragma once

#include <QFont>
#include <QString>

namespace varnoth {

// The fonts the window was designed with ("MS Sans Serif", "MS Serif",
// "Small Fonts") fall back to the nearest installed font of the same kind.
void registerDesignFontSubstitutes();

QFont designFont(const QString &family, double pointSize, bool bold = false);

} // namespace varnoth
