#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnoth {

// Which file a path named when it was opened: a file replaced at its path
// (rotated, or written anew under the same name) is another file.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity &) const = default;
};

// What the system says of an open file now.
struct FileState {
    FileIdentity identity;
    std::uint64_t size = 0;
    std::int64_t modified = 0; // last written, in nanoseconds of the system's clock
    bool regular = false;      // a regular file, not a device, pipe or socket
};

// A file opened for reading by its descriptor, kept open as long as this
// object lives: the file it names stays readable even when another file
// takes its place at the path. Reads at any offset from any thread.
class OpenFile {
public:
    // Opens utf8Path for reading without waiting on a pipe that has no
    // writer yet. Throws FileFailure.
    explicit OpenFile(const std::string &utf8Path);
    // Standard input, which stays open when this object ends.
    static OpenFile standardInput();
    ~OpenFile();
    OpenFile(OpenFile &&other) noexcept;
    OpenFile &operator=(OpenFile &&other) noexcept;
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;

    int descriptor() const { return descriptor_; }
    // Throws FileFailure.
    FileState state() const;

    // Up to size bytes from offset on; fewer at the end of the file. Throws FileFailure.
    std::size_t readAt(std::uint64_t offset, char *data, std::size_t size) const;

    // The next bytes of a stream (a pipe, a device, standard input): up to
    // size bytes, 0 at its end. Waits at most waitMs milliseconds for bytes
    // to come and returns -1 when none came, so that the caller can tell
    // whether to go on waiting. Throws FileFailure.
    std::ptrdiff_t readSome(char *data, std::size_t size, int waitMs) const;

private:
    OpenFile() = default;
    int descriptor_ = -1;
    bool owned_ = true;
};

// What the system says of the file at a path now (links followed); nothing
// about a path that names no file.
bool stateOfPath(const std::string &utf8Path, FileState &state);

} // namespace varnoth
