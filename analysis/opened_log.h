#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "byte_stream.h"
#include "forms/line_reader.h"
#include "forms/open_file.h"

namespace varnoth {

// A log opened for reading. A log on disk stays open between reads, so that
// a log replaced at its path (rotated) is still read to its end.
class OpenedLog {
public:
    // Opens the log and tells what it is: a regular file (read in parts,
    // mapped or through a buffer), a gzip file (recognised by its first
    // bytes, read once as a stream), or a stream (standard input, a pipe, a
    // device). Throws FileFailure.
    explicit OpenedLog(LogInput input);

    const LogInput &input() const { return input_; }
    // The log's bytes are read once, from start to end.
    bool stream() const { return gzip_ || !seekable_; }
    bool gzip() const { return gzip_; }
    // The open file; null for bytes in memory.
    const OpenFile *file() const { return file_ ? &*file_ : nullptr; }
    // For bytes in memory: the bytes.
    std::string_view memory() const { return *input_.bytes(); }
    // What the file was when it was opened.
    const FileState &opened() const { return opened_; }
    // The log's size now: its bytes in memory, or the open file's size
    // (a stream's size is not known: 0). Throws FileFailure.
    std::uint64_t sizeNow() const;
    // The bytes from the log's start, uncompressed, as a stream.
    std::unique_ptr<ByteStream> openStream() const;

private:
    LogInput input_;
    std::optional<OpenFile> file_;
    FileState opened_;
    bool seekable_ = true;
    bool gzip_ = false;
};

} // namespace varnoth
