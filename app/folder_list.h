#pragma once

#include <QListWidget>
#include <QString>

namespace varnoth {

// The folder list of the browse panel: the current folder's ancestors from
// the root down, the folder itself, then its subfolders, each indented by
// its depth. Activating an entry (double click or Enter) opens it.
class FolderList : public QListWidget {
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    // The open folder in native form, e.g. "/home/me/logs" or "C:\logs".
    QString path() const { return path_; }
    void setPath(const QString &path);

signals:
    void pathChanged();

private:
    QString path_;
};

} // namespace varnoth
