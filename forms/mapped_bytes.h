#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "open_file.h"

namespace varnoth {

// A stretch of a file mapped into memory: its bytes are read where the
// page cache holds them, without copying them into a buffer.
//
// A file that is shortened while it is mapped would end the process with
// SIGBUS at the first byte past its new end. A handler for that signal
// takes such a fault within a mapping of this class: it puts zero bytes in
// place of the rest of the mapping (the read then goes on over them and
// stops at its first line that cannot be read), and marks the mapping as
// changed, so that its reader reports that the file changed while it was
// read. Faults elsewhere go to the handler that was there before.
class MappedBytes {
public:
    // Maps [begin, end) of file; nothing when the system refuses to map it
    // (then it is read through a buffer). Throws FileFailure for a file
    // that cannot be read at all.
    static std::unique_ptr<MappedBytes> map(const OpenFile &file, std::uint64_t begin, std::uint64_t end);
    ~MappedBytes();
    MappedBytes(const MappedBytes &) = delete;
    MappedBytes &operator=(const MappedBytes &) = delete;

    // The bytes of [begin, end) of the file.
    std::string_view bytes() const { return {start_, size_}; }
    // Whether a byte could not be read because the file had become shorter.
    bool changed() const;

private:
    MappedBytes() = default;
    void *mapping_ = nullptr;
    std::size_t mappingSize_ = 0;
    const char *start_ = nullptr;
    std::size_t size_ = 0;
    int slot_ = -1;
};

} // namespace varnoth
