#pragma once

#include <QListWidget>
#include <string>

#include "native_path.h"

namespace varnoth {

// The folder list of the browse panel: the current folder's ancestors from
// the root down, the folder itself, then its subfolders (hidden ones, such
// as ~/.dc++, after the others), each indented by its depth. Activating an
// entry (double click or Enter) opens it. Folders are listed by their bytes,
// so names that are not UTF-8 are listed and opened too.
class FolderList : public QListWidget {
    Q_OBJECT

public:
    explicit FolderList(QWidget *parent = nullptr);

    // The open folder, e.g. "/home/me/logs" or "C:\logs".
    const NativePath &path() const { return path_; }
    void setPath(const std::string &bytes);

signals:
    void pathChanged();

private:
    void addEntry(const std::string &bytes, const QString &name, int depth);

    NativePath path_;
};

} // namespace varnoth
