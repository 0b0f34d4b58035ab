#include "elided_label.h"

#include <QFontMetrics>

namespace varnoth {

void ElidedLabel::setTexts(const QString &caption, const QString &whole)
{
    caption_ = caption;
    whole_ = whole;
    refit();
}

void ElidedLabel::setRoom(int width)
{
    room_ = std::max(width, 0);
    refit();
}

void ElidedLabel::refit()
{
    const QFontMetrics metrics(font());
    const QString shown =
        metrics.horizontalAdvance(caption_) <= room_ ? caption_ : metrics.elidedText(caption_, Qt::ElideMiddle, room_);
    setText(shown);
    adjustSize();
    const bool cut = shown != whole_;
    setToolTip(cut ? whole_ : QString());
    setAccessibleName(cut ? whole_ : QString());
}

} // namespace varnoth
