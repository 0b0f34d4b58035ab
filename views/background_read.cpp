#include "background_read.h"

#include <QThread>

#include "input_blocker.h"

namespace varnoth {

BackgroundRead::BackgroundRead(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<varnoth::Progress>();
}

BackgroundRead::~BackgroundRead()
{
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
}

void BackgroundRead::start(std::function<void(const ProgressCallback &)> read, std::function<void()> done)
{
    if (thread_)
        return;
    blocker_ = std::make_unique<InputBlocker>();
    done_ = std::move(done);
    // Emitted on the worker thread; the connection to the window's objects queues it.
    const ProgressCallback relay = [this](const Progress &progress) { emit progressed(progress); };
    thread_ = QThread::create([read = std::move(read), relay] { read(relay); });
    connect(thread_, &QThread::finished, this, &BackgroundRead::finish, Qt::QueuedConnection);
    thread_->start();
}

void BackgroundRead::finish()
{
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    // Progress queued before the end is delivered before this call, which is
    // queued after it; input is taken again before the results are shown.
    blocker_.reset();
    const auto done = std::move(done_);
    done_ = nullptr;
    if (done)
        done();
}

} // namespace varnoth
