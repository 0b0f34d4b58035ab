#include "log_follower.h"

#include <QFileInfo>

namespace varnoth {

namespace {

constexpr int pollInterval = 5000;

} // namespace

LogFollower::LogFollower(QObject *parent)
    : QObject(parent)
{
    due_.setSingleShot(true);
    connect(&due_, &QTimer::timeout, this, [this] {
        sinceLast_.restart();
        watchAgain();
        emit grew();
    });
    poll_.setInterval(pollInterval);
    connect(&poll_, &QTimer::timeout, this, &LogFollower::changed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &LogFollower::changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &LogFollower::changed);
}

void LogFollower::follow(const QStringList &paths)
{
    paths_ = paths;
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty())
        watcher_.removePaths(watched);
    due_.stop();
    poll_.stop();
    if (paths_.isEmpty())
        return;
    watchAgain();
    sinceLast_.start();
    poll_.start();
}

// A file replaced at its path is no longer watched: the new one is.
void LogFollower::watchAgain()
{
    QStringList wanted;
    for (const QString &path : paths_) {
        wanted << path << QFileInfo(path).absolutePath();
    }
    wanted.removeDuplicates();
    const QStringList watched = watcher_.files() + watcher_.directories();
    QStringList missing;
    for (const QString &path : wanted)
        if (!watched.contains(path) && QFileInfo::exists(path))
            missing << path;
    if (!missing.isEmpty())
        watcher_.addPaths(missing);
}

void LogFollower::changed()
{
    if (paths_.isEmpty() || due_.isActive())
        return;
    due_.start(std::max<qint64>(0, leastInterval - sinceLast_.elapsed()));
}

} // namespace varnoth
