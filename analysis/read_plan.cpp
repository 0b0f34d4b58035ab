#include "read_plan.h"

#include <algorithm>
#include <cstring>

#include "forms/mapped_bytes.h"

namespace varnoth {
namespace {

// Below this a part of a file is not worth a thread of its own.
constexpr std::uint64_t smallestPart = std::uint64_t{256} << 10;
// How long a read of a quiet stream waits before it looks whether to stop.
constexpr int streamWaitMs = 50;

// Where bytes read from a stream are cut into a part: after the last whole
// line break. A CR at the very end may yet be followed by its LF, so the
// line it ends waits for the next bytes, unless the stream has ended.
// 0 when no line ends within the bytes.
std::size_t cutAfterLastBreak(const char *bytes, std::size_t size, bool ended)
{
    if (ended)
        return size;
    for (std::size_t at = size; at > 0; --at) {
        const char c = bytes[at - 1];
        if (c == '\n' || (c == '\r' && at < size))
            return at;
    }
    return 0;
}

// The parts of one stream, cut as its bytes come.
class StreamChunks {
public:
    StreamChunks(std::unique_ptr<ByteStream> stream, std::size_t log, std::atomic<std::uint64_t> &taken)
        : stream_(std::move(stream))
        , log_(log)
        , taken_(taken)
    {
    }

    std::optional<LogPart> next(std::stop_token stop)
    {
        if (ended_ && carry_.empty())
            return std::nullopt;
        const std::size_t capacity = ReadPlan::chunkBytes + LineReader::maxLineBytes;
        std::shared_ptr<char[]> buffer(new char[capacity]);
        std::size_t size = carry_.size();
        std::memcpy(buffer.get(), carry_.data(), size);
        carry_.clear();
        std::size_t cut = 0;
        for (;;) {
            if (!ended_ && size < ReadPlan::chunkBytes) {
                const std::uint64_t before = stream_->consumed();
                const std::ptrdiff_t n = stream_->read(buffer.get() + size, ReadPlan::chunkBytes - size, streamWaitMs);
                taken_ += stream_->consumed() - before;
                if (n < 0) {
                    if (stop.stop_requested())
                        return std::nullopt;
                    continue;
                }
                if (n == 0)
                    ended_ = true;
                size += static_cast<std::size_t>(n);
                if (!ended_ && size < ReadPlan::chunkBytes)
                    continue;
            }
            cut = cutAfterLastBreak(buffer.get(), size, ended_);
            // A line longer than a whole chunk cannot be read anyway: the
            // chunk goes as it is, and its first line is too long.
            if (cut == 0)
                cut = size;
            break;
        }
        carry_.assign(buffer.get() + cut, size - cut);
        if (cut == 0)
            return std::nullopt;
        LogPart part;
        part.log = log_;
        part.bytes = std::string_view(buffer.get(), cut);
        part.range = {0, cut};
        part.logStart = first_;
        part.lastOfLog = ended_ && carry_.empty();
        part.keep = std::move(buffer);
        first_ = false;
        return part;
    }

private:
    std::unique_ptr<ByteStream> stream_;
    std::size_t log_;
    std::atomic<std::uint64_t> &taken_;
    std::string carry_;
    bool ended_ = false;
    bool first_ = true;
};

} // namespace

struct ReadPlan::Mapped {
    bool buffered = false;
    std::unique_ptr<MappedBytes> mapping;
    std::string_view bytes; // the bytes from file offset `base` on, up to the stretch's end
    std::uint64_t base = 0;
};

// The parts of the files of a plan, in log order.
class FilePartSupply : public PartSupply {
public:
    FilePartSupply(ReadPlan &plan, bool withStreams)
        : plan_(plan)
        , withStreams_(withStreams)
    {
    }
    std::optional<LogPart> next(std::stop_token stop) override
    {
        for (;;) {
            if (chunks_) {
                if (auto part = chunks_->next(stop))
                    return part;
                chunks_.reset();
                continue;
            }
            if (taken_ < parts_.size())
                return std::move(parts_[taken_++]);
            if (stretch_ >= plan_.stretches_.size())
                return std::nullopt;
            const std::size_t i = stretch_++;
            const LogStretch &s = plan_.stretches_[i];
            parts_.clear();
            taken_ = 0;
            if (!s.opened->stream())
                parts_ = plan_.filePartsOf(i);
            else if (withStreams_)
                chunks_ = std::make_unique<StreamChunks>(s.opened->openStream(), i, plan_.streamTaken_);
        }
    }

    std::size_t logSupplied() const override { return stretch_ > 0 ? stretch_ - 1 : 0; }

private:
    ReadPlan &plan_;
    bool withStreams_;
    std::size_t stretch_ = 0;
    std::vector<LogPart> parts_;
    std::size_t taken_ = 0;
    std::unique_ptr<StreamChunks> chunks_;
};

class AllPartSupply : public FilePartSupply {
public:
    explicit AllPartSupply(ReadPlan &plan)
        : FilePartSupply(plan, true)
    {
    }
};

ReadPlan::ReadPlan(std::vector<LogStretch> stretches, ReadMethod method, unsigned threads, std::uint64_t partBytes)
    : stretches_(std::move(stretches))
    , method_(method)
    , threads_(std::max(1u, threads))
    , partBytes_(partBytes)
    , mapped_(stretches_.size())
{
}

ReadPlan::~ReadPlan() = default;

std::size_t ReadPlan::inFlight() const
{
    return threads_ + 2;
}

std::unique_ptr<PartSupply> ReadPlan::fileParts()
{
    return std::make_unique<FilePartSupply>(*this, false);
}

std::unique_ptr<PartSupply> ReadPlan::allParts()
{
    return std::make_unique<AllPartSupply>(*this);
}

bool ReadPlan::hasStream() const
{
    return std::any_of(stretches_.begin(), stretches_.end(), [](const LogStretch &s) { return s.opened->stream(); });
}

std::uint64_t ReadPlan::fileBytes() const
{
    std::uint64_t bytes = 0;
    for (const LogStretch &s : stretches_)
        if (!s.opened->stream() && s.to > s.from)
            bytes += s.to - s.from;
    return bytes;
}

std::uint64_t ReadPlan::streamFileBytes() const
{
    std::uint64_t bytes = 0;
    for (const LogStretch &s : stretches_)
        if (s.opened->stream())
            bytes += s.opened->opened().size;
    return bytes;
}

bool ReadPlan::mappingLost(std::size_t i) const
{
    return mapped_[i] && mapped_[i]->mapping && mapped_[i]->mapping->changed();
}

const ReadPlan::Mapped &ReadPlan::mapped(std::size_t i)
{
    if (mapped_[i])
        return *mapped_[i];
    auto m = std::make_unique<Mapped>();
    const LogStretch &s = stretches_[i];
    if (!s.opened->file()) {
        m->bytes = s.opened->memory().substr(0, static_cast<std::size_t>(s.to));
    } else {
        // From the byte before the first line on: a reader looks there for
        // the line break that the line begins after.
        m->base = s.from > 0 ? s.from - 1 : 0;
        if (method_ == ReadMethod::Map)
            m->mapping = MappedBytes::map(*s.opened->file(), m->base, s.to);
        if (m->mapping)
            m->bytes = m->mapping->bytes();
        else
            m->buffered = true;
    }
    mapped_[i] = std::move(m);
    return *mapped_[i];
}

std::vector<LogPart> ReadPlan::filePartsOf(std::size_t i)
{
    const LogStretch &s = stretches_[i];
    std::vector<LogPart> parts;
    if (s.to <= s.from)
        return parts;
    const Mapped &m = mapped(i);
    const std::uint64_t size = s.to - s.from;
    std::uint64_t step = partBytes_;
    if (step == 0) {
        const std::uint64_t count = std::clamp<std::uint64_t>(size / smallestPart, 1, threads_);
        step = (size + count - 1) / count;
    }
    // A part starts beyond the first 3 bytes, where a byte order mark may stand.
    step = std::max<std::uint64_t>(step, 4);
    for (std::uint64_t begin = s.from; begin < s.to; begin += step) {
        LogPart part;
        part.log = i;
        part.logStart = s.from == 0;
        const std::uint64_t end = std::min(s.to, begin + step);
        if (m.buffered) {
            part.file = s.opened->file();
            part.range = {begin, end};
            part.hardEnd = s.to;
        } else {
            part.bytes = m.bytes;
            part.range = {begin - m.base, end - m.base};
        }
        parts.push_back(part);
    }
    parts.back().lastOfLog = true;
    return parts;
}

} // namespace varnoth
