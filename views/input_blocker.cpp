#include "input_blocker.h"

#include <QCoreApplication>
#include <QEvent>

namespace varnoth {

namespace {

int activeBlockers = 0;

} // namespace

InputBlocker::InputBlocker()
{
    QCoreApplication::instance()->installEventFilter(this);
    ++activeBlockers;
}

InputBlocker::~InputBlocker()
{
    // Input that arrived during the command is dropped, not replayed after it.
    pump();
    --activeBlockers;
    QCoreApplication::instance()->removeEventFilter(this);
}

void InputBlocker::pump()
{
    if (activeBlockers == 0)
        return;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool InputBlocker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Close:
        event->ignore();
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace varnoth
