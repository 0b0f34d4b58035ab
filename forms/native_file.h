#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace varnoth {

// The one place that talks to the C library about files by name, so that
// paths are taken as UTF-8 on every system and failures get readable words.
class NativeFile {
public:
    enum class Mode { Read, Write };

    // Throws FileFailure with a description such as "File not found".
    NativeFile(const std::string &utf8Path, Mode mode);
    ~NativeFile();
    NativeFile(const NativeFile &) = delete;
    NativeFile &operator=(const NativeFile &) = delete;

    // Reads up to size bytes; returns how many were read (0 at the end).
    // Throws FileFailure when the system reports an error.
    std::size_t read(char *data, std::size_t size);

    // Moves the read position to a byte offset from the start of the file.
    // Throws FileFailure when the system refuses.
    void seek(std::uint64_t offset);

    // Writes all bytes, flushes and syncs on close(); throws FileFailure on error.
    void write(const char *data, std::size_t size);
    void close();

private:
    std::FILE *file_ = nullptr;
};

// Words for the last system error (errno), in the style of the other failure texts.
std::string describeSystemError(int error);

// Throws FileFailure for a system error number, with its words.
[[noreturn]] void throwFileFailure(int error);

} // namespace varnoth
