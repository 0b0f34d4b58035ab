#include "design_fonts.h"

#include <QStringList>

namespace varnoth {

void registerDesignFontSubstitutes()
{
    const QStringList sans{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitutions(QStringLiteral("Small Fonts"), sans);
    QFont::insertSubstitutions(
        QStringLiteral("MS Serif"),
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
}

QFont designFont(const QString &family, double pointSize, bool bold)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace varnoth
