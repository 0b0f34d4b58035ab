#include "input_blocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <QWidget>
#include <QWindow>

namespace varnoth {

InputBlocker::InputBlocker(QWidget *mainWindow, QWidget *cancelButton, std::function<void()> cancel,
                           std::function<void()> closeAsked)
    : mainWindow_(mainWindow)
    , cancelButton_(cancelButton)
    , cancel_(std::move(cancel))
    , closeAsked_(std::move(closeAsked))
{
    QCoreApplication::instance()->installEventFilter(this);
}

InputBlocker::~InputBlocker()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputBlocker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        // The cancel button alone takes the pointer.
        if (cancelButton_ && watched == cancelButton_.data() && cancelButton_->isVisible())
            return QObject::eventFilter(watched, event);
        event->ignore();
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && cancel_) {
            if (!static_cast<QKeyEvent *>(event)->isAutoRepeat())
                cancel_();
        }
        event->ignore();
        return true;
    case QEvent::Shortcut:
        // Esc is a shortcut of the window: it comes as one, not as a key.
        if (static_cast<QShortcutEvent *>(event)->key() == QKeySequence(Qt::Key_Escape) && cancel_)
            cancel_();
        event->ignore();
        return true;
    case QEvent::Close:
        // The main window's own close box (the event comes to its widget or its window).
        if (mainWindow_ &&
            (watched == mainWindow_.data() ||
             (watched->isWindowType() && watched == static_cast<QObject *>(mainWindow_->windowHandle())))) {
            if (closeAsked_)
                closeAsked_();
            if (cancel_)
                cancel_();
        }
        event->ignore();
        return true;
    case QEvent::Wheel:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
        event->ignore();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace varnoth
