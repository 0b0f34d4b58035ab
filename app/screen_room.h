#pragma once

#include <QSize>

class QWidget;

namespace varnoth {

// The largest size a top-level window may take on the screen it is on: the
// screen's available area, less room for a window manager's title bar and
// borders.
QSize screenRoom(const QWidget &window);

} // namespace varnoth
