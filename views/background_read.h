#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <stop_token>

#include "analysis/progress.h"

class QThread;
class QWidget;

namespace varnoth {

class InputBlocker;

// Runs one long read of the logs (an analysis, a refresh, a drill-down) on
// a worker thread. The window's thread stays free to repaint; its input is
// discarded while the read runs, except Esc, the close box and the cancel
// button, which stop the read (the read tests its stop token). Progress
// from the worker reaches the window's thread through the queued signal
// progressed(); done is called there when the read has ended and input is
// taken again.
class BackgroundRead : public QObject {
    Q_OBJECT

public:
    explicit BackgroundRead(QObject *parent = nullptr);
    ~BackgroundRead() override;

    using Read = std::function<void(const ProgressCallback &, std::stop_token)>;

    // The button that cancels a read, shown only while one runs.
    void setCancelButton(QWidget *button);

    // Starts read on a worker thread, unless a read is running already. A
    // quiet read (blockInput false: a short read the user did not ask for)
    // takes no input away and shows no cancel button; a read started while
    // it runs stops it first (its done is called, after a cancel).
    void start(Read read, std::function<void()> done, bool blockInput = true);
    bool running() const { return thread_ != nullptr; }
    // Whether the read that runs is a quiet one.
    bool quiet() const { return thread_ != nullptr && quiet_; }
    // Asks the running read to stop; it ends within a few milliseconds.
    void cancel();
    // Whether the close box was pressed during the last read.
    bool closeAsked() const { return closeAsked_; }

signals:
    void progressed(const varnoth::Progress &progress);

private:
    void finish();

    QThread *thread_ = nullptr;
    std::unique_ptr<InputBlocker> blocker_;
    std::function<void()> done_;
    std::stop_source stop_;
    QPointer<QWidget> cancelButton_;
    bool closeAsked_ = false;
    bool quiet_ = false;
    unsigned readNumber_ = 0;
};

} // namespace varnoth
