#pragma once

#include <QSettings>

namespace varnoth {

// The window's per-user state that the settings file quillon.ini does not
// keep (its three lines stay as they are): the window's size and place, the
// folder of the last export. Varnoth/Varnoth.ini in the user's configuration
// folder (~/.config/Varnoth/ on Linux, beside a per-user quillon.ini).
class UserState : public QSettings {
public:
    UserState()
        : QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Varnoth"), QStringLiteral("Varnoth"))
    {
    }
};

} // namespace varnoth
