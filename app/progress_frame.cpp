#include "progress_frame.h"

#include <QAccessible>
#include <QEvent>
#include <algorithm>
#include <cmath>

namespace varnoth {

ProgressFrame::ProgressFrame(QWidget *parent)
    : QFrame(parent)
{
}

void ProgressFrame::setFill(QWidget *fill)
{
    fill_ = fill;
    fill_->installEventFilter(this);
}

int ProgressFrame::percent() const
{
    const int inside = contentsRect().width();
    if (!fill_ || inside <= 0)
        return 0;
    return std::clamp(static_cast<int>(std::lround(100.0 * fill_->width() / inside)), 0, 100);
}

bool ProgressFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == fill_ && event->type() == QEvent::Resize && QAccessible::isActive()) {
        QAccessibleValueChangeEvent change(this, percent());
        QAccessible::updateAccessibility(&change);
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace varnoth
