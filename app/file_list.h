#pragma once

#include <QListWidget>
#include <string>

namespace varnoth {

// The file list of the browse panel: the files of one folder whose names
// match the pattern "*.log" (letter case ignored), hidden ones included.
// Names are kept as the system's bytes, so a name that is not UTF-8 is
// listed (shown with U+FFFD) and can be chosen.
class FileList : public QListWidget {
    Q_OBJECT

public:
    explicit FileList(QWidget *parent = nullptr);

    // folder: the bytes of the folder to list.
    void setPath(const std::string &folder);
    const std::string &path() const { return path_; }
    // The selected file's bare name as bytes; empty when nothing is selected.
    std::string fileName() const;

private:
    std::string path_;
};

} // namespace varnoth
