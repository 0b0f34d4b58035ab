#include "drive_list.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>

namespace varnoth {

DriveList::DriveList(QWidget *parent)
    : QComboBox(parent)
{
    QStringList roots;
#ifdef Q_OS_WIN
    for (const QFileInfo &drive : QDir::drives())
        roots << QDir::toNativeSeparators(drive.absoluteFilePath());
#else
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid())
            roots << volume.rootPath();
    roots << QStringLiteral("/");
    roots.removeDuplicates();
    std::sort(roots.begin(), roots.end());
#endif
    addItems(roots);
    connect(this, &QComboBox::activated, this, [this](int) { emit driveChosen(); });
}

void DriveList::showDriveOf(const QString &path)
{
    const QString root = QDir::toNativeSeparators(QStorageInfo(path).rootPath());
    int index = findText(root);
    if (index < 0) {
        addItem(root);
        index = count() - 1;
    }
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

bool DriveList::isReadable(const QString &root)
{
    const QStorageInfo volume(root);
    return volume.isValid() && volume.isReady() && QDir(root).isReadable();
}

} // namespace varnoth
