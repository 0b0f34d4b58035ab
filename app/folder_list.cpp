#include "folder_list.h"

#include <QDir>
#include <QFileInfo>

namespace varnoth {

namespace {

constexpr int pathRole = Qt::UserRole;

} // namespace

FolderList::FolderList(QWidget *parent)
    : QListWidget(parent)
{
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setPath(item->data(pathRole).toString()); });
}

void FolderList::setPath(const QString &path)
{
    const QString cleaned = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString native = QDir::toNativeSeparators(cleaned);
    const bool changed = native != path_;
    path_ = native;

    clear();
    QStringList chain;
    for (QDir dir(cleaned);;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString &folder : chain) {
        const QString name = QDir(folder).isRoot() ? QDir::toNativeSeparators(folder) : QDir(folder).dirName();
        auto *item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(pathRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QDir here(cleaned);
    for (const QString &sub : here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto *item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + sub, this);
        item->setData(pathRole, here.filePath(sub));
    }
    if (changed)
        emit pathChanged();
}

} // namespace varnoth
