#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "analysis/progress.h"

class QThread;

namespace varnoth {

class InputBlocker;

// Runs one long read of the log (an analysis, a drill-down) on a worker
// thread. The window's thread stays free to repaint; its input is discarded
// while the read runs. Progress from the worker reaches the window's thread
// through the queued signal progressed(); done is called there when the
// read has ended and input is taken again.
class BackgroundRead : public QObject {
    Q_OBJECT

public:
    explicit BackgroundRead(QObject *parent = nullptr);
    ~BackgroundRead() override;

    // Starts read on a worker thread, unless a read is running already.
    void start(std::function<void(const ProgressCallback &)> read, std::function<void()> done);
    bool running() const { return thread_ != nullptr; }

signals:
    void progressed(const varnoth::Progress &progress);

private:
    void finish();

    QThread *thread_ = nullptr;
    std::unique_ptr<InputBlocker> blocker_;
    std::function<void()> done_;
};

} // namespace varnoth
