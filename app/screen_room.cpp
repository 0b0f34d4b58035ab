#include "screen_room.h"

#include <QScreen>
#include <QWidget>

namespace varnoth {

QSize screenRoom(const QWidget &window)
{
    constexpr QSize frameAllowance(16, 40);
    const QScreen *screen = window.screen();
    return screen ? screen->availableGeometry().size() - frameAllowance : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace varnoth
