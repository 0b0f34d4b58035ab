#pragma once

#include <memory>
#include <string_view>

#include "byte_stream.h"

namespace varnoth {

// Whether bytes begin as a gzip file does (its two magic bytes), whatever
// the file is called.
bool startsAsGzip(std::string_view firstBytes);

// The uncompressed bytes of a gzip file: its members one after another, as
// `gzip -dc` writes them. A file that ends before its last member does, or
// whose data or checksum is damaged, cannot be read: read() throws
// FileFailure saying so.
class GzipStream : public ByteStream {
public:
    explicit GzipStream(std::unique_ptr<ByteStream> compressed);
    ~GzipStream() override;
    std::ptrdiff_t read(char *data, std::size_t size, int waitMs) override;
    std::uint64_t consumed() const override { return compressed_->consumed(); }

private:
    struct Inflater;
    std::unique_ptr<ByteStream> compressed_;
    std::unique_ptr<Inflater> inflater_;
};

namespace failures {
inline const char *const compressedLogEndsEarly = "The compressed log ends early";
inline const char *const compressedLogDamaged = "The compressed log is damaged";
} // namespace failures

} // namespace varnoth
