#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace varnoth {

// While a long command reads the log on a worker thread, the window keeps
// painting but takes no input. An InputBlocker discards every mouse, key,
// wheel, touch and close event of the application while it lives: such
// input is dropped, not queued, so nothing of it is handled afterwards.
//
// Three ways to stop the read stay open: Esc and the close box of the main
// window call `cancel` (the close box also `closeAsked`, for the window to
// close once the read has ended), and the cancel button takes its clicks.
class InputBlocker : public QObject {
    Q_OBJECT

public:
    InputBlocker(QWidget *mainWindow = nullptr, QWidget *cancelButton = nullptr, std::function<void()> cancel = {},
                 std::function<void()> closeAsked = {});
    ~InputBlocker() override;
    InputBlocker(const InputBlocker &) = delete;
    InputBlocker &operator=(const InputBlocker &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> cancelButton_;
    std::function<void()> cancel_;
    std::function<void()> closeAsked_;
};

} // namespace varnoth
