#pragma once

#include <QString>
#include <string>

namespace varnoth {

// A file system path as the file functions take it (on Linux the system's
// own bytes, on Windows UTF-8) beside the text the window shows for it.
// A QString cannot carry a Linux name that is not UTF-8 (a Latin-1 "caf\xE9"
// comes back as other bytes), so the bytes, never the text, are opened,
// tested and stored.
struct NativePath {
    std::string bytes;
    QString text;

    // The text shows bytes that are not UTF-8 as U+FFFD.
    static NativePath fromBytes(std::string bytes);
    // A typed or Qt-given path: its UTF-8 bytes.
    static NativePath fromText(const QString &text);
};

// folder + one separator + name, also when folder is a root that already
// ends in one.
std::string joinPath(const std::string &folder, const std::string &name);

} // namespace varnoth
