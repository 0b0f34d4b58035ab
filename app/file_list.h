#pragma once

#include <QListWidget>
#include <QString>

namespace varnoth {

// The file list of the browse panel: the files of one folder whose names
// match the pattern "*.log" (letter case ignored).
class FileList : public QListWidget {
    Q_OBJECT

public:
    explicit FileList(QWidget *parent = nullptr);

    void setPath(const QString &folder);
    QString path() const { return path_; }
    // The selected file's bare name; empty when nothing is selected.
    QString fileName() const;

private:
    QString path_;
};

} // namespace varnoth
