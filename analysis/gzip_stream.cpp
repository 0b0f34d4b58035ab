#include "gzip_stream.h"

#include <memory>
#include <zlib.h>

#include "forms/failure.h"

namespace varnoth {

bool startsAsGzip(std::string_view firstBytes)
{
    return firstBytes.size() >= 2 && static_cast<unsigned char>(firstBytes[0]) == 0x1F &&
           static_cast<unsigned char>(firstBytes[1]) == 0x8B;
}

struct GzipStream::Inflater {
    static constexpr std::size_t inputBytes = std::size_t{256} << 10;
    z_stream z{};
    std::unique_ptr<unsigned char[]> input{new unsigned char[inputBytes]};
    bool inMember = true; // inside a member, its end not yet met
    bool inputEnded = false;

    Inflater()
    {
        // 16 + 15: gzip members only, with the largest window.
        if (inflateInit2(&z, 16 + 15) != Z_OK)
            throw Failure(failures::outOfMemory);
    }
    ~Inflater() { inflateEnd(&z); }
};

GzipStream::GzipStream(std::unique_ptr<ByteStream> compressed)
    : compressed_(std::move(compressed))
    , inflater_(std::make_unique<Inflater>())
{
}

GzipStream::~GzipStream() = default;

std::ptrdiff_t GzipStream::read(char *data, std::size_t size, int waitMs)
{
    Inflater &in = *inflater_;
    z_stream &z = in.z;
    z.next_out = reinterpret_cast<Bytef *>(data);
    z.avail_out = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    const uInt wanted = z.avail_out;
    while (z.avail_out == wanted) {
        if (z.avail_in == 0 && !in.inputEnded) {
            const std::ptrdiff_t n = compressed_->read(reinterpret_cast<char *>(in.input.get()), in.inputBytes, waitMs);
            if (n < 0)
                return -1;
            if (n == 0)
                in.inputEnded = true;
            z.next_in = in.input.get();
            z.avail_in = static_cast<uInt>(n);
        }
        if (!in.inMember) {
            // Between members: another member, or the end. Zero bytes
            // after the last member (padding some tools add) are passed over.
            while (z.avail_in > 0 && *z.next_in == 0) {
                ++z.next_in;
                --z.avail_in;
            }
            if (z.avail_in == 0) {
                if (in.inputEnded)
                    return 0;
                continue;
            }
            if (inflateReset(&z) != Z_OK)
                throw FileFailure(failures::compressedLogDamaged);
            in.inMember = true;
        }
        if (z.avail_in == 0 && in.inputEnded)
            throw FileFailure(failures::compressedLogEndsEarly);
        const int result = inflate(&z, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            in.inMember = false;
        } else if (result == Z_BUF_ERROR) {
            // No progress: more input is needed, and there is none.
            if (z.avail_in != 0)
                throw FileFailure(failures::compressedLogDamaged);
            if (in.inputEnded)
                throw FileFailure(failures::compressedLogEndsEarly);
        } else if (result == Z_MEM_ERROR) {
            throw Failure(failures::outOfMemory);
        } else if (result != Z_OK) {
            throw FileFailure(failures::compressedLogDamaged);
        }
    }
    return static_cast<std::ptrdiff_t>(wanted - z.avail_out);
}

} // namespace varnoth
