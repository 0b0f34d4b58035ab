#include "panel_cover.h"

#include <QEvent>

namespace varnoth {

PanelCover::PanelCover(QWidget *panel, std::vector<QWidget *> covered, QWidget *into, QWidget *back)
    : QObject(panel)
    , covered_(std::move(covered))
    , into_(into)
    , back_(back)
{
    panel->installEventFilter(this);
}

bool PanelCover::eventFilter(QObject *watched, QEvent *event)
{
    // Spontaneous events come from minimising and restoring the window,
    // which neither opens nor closes the panel.
    if (event->spontaneous())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show) {
        hidden_.clear();
        for (QWidget *control : covered_) {
            if (!control->isHidden()) {
                hidden_.emplace_back(control);
                control->hide();
            }
        }
        focusControl(into_);
    } else if (event->type() == QEvent::Hide) {
        for (const QPointer<QWidget> &control : hidden_)
            if (control)
                control->show();
        hidden_.clear();
        focusControl(back_);
    }
    return QObject::eventFilter(watched, event);
}

void focusControl(QWidget *control)
{
    if (control->isVisible() && control->isEnabled())
        control->setFocus(Qt::OtherFocusReason);
}

} // namespace varnoth
