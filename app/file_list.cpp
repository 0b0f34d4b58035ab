#include "file_list.h"

#include <QDir>

namespace varnoth {

FileList::FileList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileList::setPath(const QString &folder)
{
    path_ = folder;
    clear();
    const QDir dir(folder);
    addItems(dir.entryList({QStringLiteral("*.log")}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase));
}

QString FileList::fileName() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace varnoth
