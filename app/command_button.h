#pragma once

#include <QPushButton>

namespace varnoth {

// A button of the window. Enter on a focused button presses it, as Space
// does, without making it a default button: no button answers Enter while
// the focus is elsewhere.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace varnoth
