#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "forms/open_file.h"

namespace varnoth {

// Bytes that can be read once, from start to end: standard input, a pipe,
// a device, a compressed log as it is uncompressed.
class ByteStream {
public:
    virtual ~ByteStream() = default;
    // Up to size bytes; 0 at the end; -1 when none came within waitMs
    // milliseconds (the caller may look whether to stop, then ask again).
    // Throws FileFailure.
    virtual std::ptrdiff_t read(char *data, std::size_t size, int waitMs) = 0;
    // Bytes taken from the file so far, for the progress of a read.
    virtual std::uint64_t consumed() const = 0;
};

// The bytes of an open file from its start (a regular file, read at its own
// offsets) or as they come (anything else).
class FileStream : public ByteStream {
public:
    FileStream(const OpenFile &file, bool seekable)
        : file_(file)
        , seekable_(seekable)
    {
    }
    std::ptrdiff_t read(char *data, std::size_t size, int waitMs) override;
    std::uint64_t consumed() const override { return offset_; }

private:
    const OpenFile &file_;
    bool seekable_;
    std::uint64_t offset_ = 0;
};

// Bytes in memory, read as a stream (tests and fuzzing).
class MemoryStream : public ByteStream {
public:
    explicit MemoryStream(std::string_view bytes)
        : bytes_(bytes)
    {
    }
    std::ptrdiff_t read(char *data, std::size_t size, int waitMs) override;
    std::uint64_t consumed() const override { return offset_; }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
};

} // namespace varnoth
