#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace varnoth {

// A file being written: a report, an export, the settings file. What it
// does depends on what is at the path when it is opened:
// - a regular file, or nothing yet: the content goes to a temporary file in
//   the same folder, which commit() syncs and renames over the path, so a
//   reader sees the old file or the new one, never a part, and a write that
//   fails or is abandoned leaves the old file as it was. The new file keeps
//   the old one's permissions and, where the system allows it, its owner
//   and group. A file the user may not write, or that no one may write
//   (root included), is refused as opening it would be ("Permission
//   denied"). The temporary name takes the file's
//   name, cut where the system's limit on a name calls for it.
// - a symbolic link (a chain of them): the same for the file it leads to,
//   the temporary file beside that file; the link stays a link, and a link
//   to a missing file makes that file.
// - a character device or a FIFO (named pipe): written directly, never
//   replaced.
// - a folder, a socket or a block device: refused.
// - the same file as one of the logs being read: refused with the
//   description "is the log being read".
// Failures throw FileFailure with the system's error number where it gave one.
class OutputFile {
public:
    explicit OutputFile(const std::string &utf8Path, const std::vector<std::string> &logsBeingRead = {});
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    void write(std::string_view bytes);
    // Puts what was written in place; the file is then closed.
    void commit();

private:
    class Target;
    std::unique_ptr<Target> target_;
};

// The whole content at once through an OutputFile.
void writeFileAtomically(const std::string &utf8Path, std::string_view content);

// The description of an output that is one of the logs being read.
inline constexpr const char *isTheLogBeingRead = "is the log being read";

} // namespace varnoth
