#pragma once

#include <QObject>

namespace varnoth {

// While a long command reads the log on a worker thread, the window keeps
// painting but takes no input. An InputBlocker discards every mouse, key,
// wheel, touch and close event of the application while it lives: such
// input is dropped, not queued, so nothing of it is handled afterwards.
class InputBlocker : public QObject {
    Q_OBJECT

public:
    InputBlocker();
    ~InputBlocker() override;
    InputBlocker(const InputBlocker &) = delete;
    InputBlocker &operator=(const InputBlocker &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace varnoth
