#include "background_read.h"

#include <QThread>
#include <QWidget>

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
        stop_.request_stop();
        thread_->wait();
        delete thread_;
    }
}

void BackgroundRead::setCancelButton(QWidget *button)
{
    cancelButton_ = button;
}

void BackgroundRead::start(Read read, std::function<void()> done, bool blockInput)
{
    if (thread_ && quiet_ && blockInput) {
        stop_.request_stop();
        finish();
    }
    if (thread_)
        return;
    stop_ = std::stop_source();
    closeAsked_ = false;
    quiet_ = !blockInput;
    if (blockInput)
        blocker_ = std::make_unique<InputBlocker>(
            qobject_cast<QWidget *>(parent()), cancelButton_.data(), [this] { cancel(); },
            [this] { closeAsked_ = true; });
    done_ = std::move(done);
    // Emitted on the worker thread; the connection to the window's objects queues it.
    const ProgressCallback relay = [this](const Progress &progress) { emit progressed(progress); };
    thread_ = QThread::create([read = std::move(read), relay, token = stop_.get_token()] { read(relay, token); });
    // The end of a quiet read stopped early is taken by the read that
    // stopped it: its late signal finds another read number.
    connect(
        thread_, &QThread::finished, this,
        [this, number = ++readNumber_] {
            if (number == readNumber_)
                finish();
        },
        Qt::QueuedConnection);
    if (cancelButton_ && blockInput) {
        cancelButton_->setEnabled(true);
        cancelButton_->show();
    }
    thread_->start();
}

void BackgroundRead::cancel()
{
    if (thread_)
        stop_.request_stop();
}

void BackgroundRead::finish()
{
    if (!thread_)
        return; // ended already, when a read started while it ran
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    if (cancelButton_)
        cancelButton_->hide();
    // Progress queued before the end is delivered before this call, which is
    // queued after it; input is taken again before the results are shown.
    blocker_.reset();
    const auto done = std::move(done_);
    done_ = nullptr;
    if (done)
        done();
}

} // namespace varnoth
