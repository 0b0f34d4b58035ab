#pragma once

#include <QObject>

namespace varnoth {

// While a long command reads the log on the user-interface thread, the
// window must keep painting but take no input. An InputBlocker swallows
// every mouse, key, wheel, touch and close event of the application while it
// lives; pump() lets the pending paint and other non-input events through.
class InputBlocker : public QObject {
    Q_OBJECT

public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker &) = delete;
    InputBlocker &operator=(const InputBlocker &) = delete;

    // Lets pending paints through; does nothing unless a blocker is alive,
    // so that no input is ever handled in the middle of a command.
    static void pump();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace varnoth
