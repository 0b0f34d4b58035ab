#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace varnoth {

// Tells when followed logs may have grown: a file watcher on the logs and
// their folders (a log rotated away is replaced by a new file there), and a
// slow look now and then for what a watcher misses (some file systems tell
// nothing). grew() comes at most once a second.
class LogFollower : public QObject {
    Q_OBJECT

public:
    explicit LogFollower(QObject *parent = nullptr);

    // Starts following these files (none: stops).
    void follow(const QStringList &paths);
    void stop() { follow({}); }
    bool following() const { return !paths_.isEmpty(); }

    // The smallest time between two grew() signals.
    static constexpr int leastInterval = 1000;

signals:
    void grew();

private:
    void changed();
    void watchAgain();

    QFileSystemWatcher watcher_;
    QTimer due_;  // a change seen: grew() once the interval allows
    QTimer poll_; // the slow look
    QElapsedTimer sinceLast_;
    QStringList paths_;
};

} // namespace varnoth
