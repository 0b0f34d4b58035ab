#include "byte_stream.h"

#include <algorithm>
#include <cstring>

namespace varnoth {

std::ptrdiff_t FileStream::read(char *data, std::size_t size, int waitMs)
{
    if (seekable_) {
        const std::size_t n = file_.readAt(offset_, data, size);
        offset_ += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    const std::ptrdiff_t n = file_.readSome(data, size, waitMs);
    if (n > 0)
        offset_ += static_cast<std::uint64_t>(n);
    return n;
}

std::ptrdiff_t MemoryStream::read(char *data, std::size_t size, int)
{
    const std::size_t n = std::min(size, bytes_.size() - offset_);
    std::memcpy(data, bytes_.data() + offset_, n);
    offset_ += n;
    return static_cast<std::ptrdiff_t>(n);
}

} // namespace varnoth
