#include "line_count.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>

#include "forms/simd.h"

namespace varnoth {
namespace {

// Reads a file, or bytes in memory, at any offset, never at or beyond hardEnd.
class Source {
public:
    Source(std::string_view memory, bool logStart)
        : memory_(memory)
        , logStart_(logStart)
    {
    }
    Source(const OpenFile &file, std::uint64_t hardEnd)
        : file_(&file)
        , hardEnd_(hardEnd)
    {
    }

    // Whether a byte order mark at offset 0 is to be passed over.
    bool logStart() const { return logStart_; }

    // Up to size bytes from offset on, into buffer (bytes in memory are
    // handed over where they are); empty at the end.
    std::string_view read(std::uint64_t offset, char *buffer, std::size_t size)
    {
        if (!file_)
            return offset < memory_.size() ? memory_.substr(offset, size) : std::string_view();
        if (offset >= hardEnd_)
            return {};
        const auto n =
            file_->readAt(offset, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(size, hardEnd_ - offset)));
        return {buffer, n};
    }
    bool inMemory() const { return file_ == nullptr; }

private:
    std::string_view memory_;
    bool logStart_ = true;
    const OpenFile *file_ = nullptr;
    std::uint64_t hardEnd_ = UINT64_MAX;
};

constexpr std::size_t blockBytes = std::size_t{128} << 10; // read into the processor's cache
constexpr std::uint64_t endOfFile = ByteRange{}.end;

// Where the first line that begins at or after offset begins: after the
// first line break at or after the byte before it (CR LF is one break).
std::uint64_t lineStartFrom(Source &source, std::uint64_t offset, char *buffer)
{
    if (offset == 0)
        return 0;
    bool afterCr = false;
    for (std::uint64_t at = offset - 1;;) {
        const std::string_view bytes = source.read(at, buffer, blockBytes);
        if (bytes.empty())
            return endOfFile;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (afterCr)
                return at + i + (bytes[i] == '\n' ? 1 : 0);
            if (bytes[i] == '\n')
                return at + i + 1;
            afterCr = bytes[i] == '\r';
        }
        at += bytes.size();
    }
}

// Line breaks and blanks (or tabs) among 64 bytes, one bit per byte.
struct Classes {
    std::uint64_t breaks = 0;
    std::uint64_t blanks = 0;
};

Classes classify(const char *p)
{
    Classes c;
#ifdef VARNOTH_SSE2
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    const __m128i blank = _mm_set1_epi8(' '), tab = _mm_set1_epi8('\t');
    auto either = [](__m128i v, __m128i a, __m128i b) {
        return static_cast<std::uint64_t>(
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b)))));
    };
    const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
    const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16));
    const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 32));
    const __m128i v3 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 48));
    c.breaks =
        either(v0, lf, cr) | (either(v1, lf, cr) << 16) | (either(v2, lf, cr) << 32) | (either(v3, lf, cr) << 48);
    c.blanks = either(v0, blank, tab) | (either(v1, blank, tab) << 16) | (either(v2, blank, tab) << 32) |
               (either(v3, blank, tab) << 48);
#else
    for (int i = 0; i < 64; ++i) {
        c.breaks |= std::uint64_t{p[i] == '\n' || p[i] == '\r'} << i;
        c.blanks |= std::uint64_t{p[i] == ' ' || p[i] == '\t'} << i;
    }
#endif
    return c;
}

// Counts the line breaks whose last byte before them, blanks and tabs
// passed over, is neither a break nor a blank: the ends of filled lines.
// The bytes are taken 64 at a time; what a run of blanks after a filled
// byte carries into the next 64 is kept between calls.
class FilledLineEnds {
public:
    VARNOTH_ALWAYS_INLINE void add(const Classes &c)
    {
        const std::uint64_t filled = ~(c.breaks | c.blanks);
        // A bit just after each filled byte; adding the blanks carries it
        // over the run of blanks that follows, to the byte after the run.
        const std::uint64_t afterFilled = (filled << 1) | filledBefore_;
        filledBefore_ = filled >> 63;
        const std::uint64_t sum = afterFilled + c.blanks;
        const std::uint64_t withCarry = sum + carry_;
        carry_ = (sum < afterFilled || withCarry < sum) ? 1 : 0;
        // Lines are longer than 64 bytes: at most a few bits are set.
        for (std::uint64_t ends = withCarry & c.breaks; ends != 0; ends &= ends - 1)
            ++count_;
    }
    void add(const char *p) { add(classify(p)); }
    // Adds the whole blocks of 64 among the first n bytes at p.
    void addBlocks(const char *p, std::size_t n)
    {
#ifdef VARNOTH_AVX2
        if (simd::avx2) {
            addBlocksAvx2(p, n);
            return;
        }
#endif
        for (std::size_t i = 0; i + 64 <= n; i += 64)
            add(p + i);
    }
    std::uint64_t count() const
    {
        return count_;
    }

private:
#ifdef VARNOTH_AVX2
    VARNOTH_AVX2_TARGET void addBlocksAvx2(const char *p, std::size_t n)
    {
        for (std::size_t i = 0; i + 64 <= n; i += 64) {
            const __m256i low = simd::load32(p + i);
            const __m256i high = simd::load32(p + i + 32);
            add(Classes{simd::equal64(low, high, '\n') | simd::equal64(low, high, '\r'),
                        simd::equal64(low, high, ' ') | simd::equal64(low, high, '\t')});
        }
    }
#endif

    std::uint64_t filledBefore_ = 0;
    std::uint64_t carry_ = 0;
    std::uint64_t count_ = 0;
};

std::uint64_t countFilledLines(Source &source, ByteRange range, const std::function<void(std::uint64_t)> &counted);

} // namespace

std::uint64_t countFilledLines(const LogInput &input, ByteRange range,
                               const std::function<void(std::uint64_t)> &counted)
{
    if (input.bytes()) {
        Source source(*input.bytes(), true);
        return countFilledLines(source, range, counted);
    }
    const OpenFile file(input.path());
    Source source(file, UINT64_MAX);
    return countFilledLines(source, range, counted);
}

std::uint64_t countFilledLines(std::string_view bytes, ByteRange range, bool logStart,
                               const std::function<void(std::uint64_t)> &counted)
{
    Source source(bytes, logStart);
    return countFilledLines(source, range, counted);
}

std::uint64_t countFilledLines(const OpenFile &file, ByteRange range, std::uint64_t hardEnd,
                               const std::function<void(std::uint64_t)> &counted)
{
    Source source(file, hardEnd);
    return countFilledLines(source, range, counted);
}

namespace {

std::uint64_t countFilledLines(Source &source, ByteRange range, const std::function<void(std::uint64_t)> &counted)
{
    // Bytes in memory are read where they are: only a file needs a buffer.
    const std::unique_ptr<char[]> buffer(source.inMemory() ? nullptr : new char[blockBytes]);
    std::uint64_t from = lineStartFrom(source, range.begin, buffer.get());
    const std::uint64_t to = range.end == endOfFile ? endOfFile : lineStartFrom(source, range.end, buffer.get());
    if (from == 0 && source.logStart()) {
        const std::string_view start = source.read(0, buffer.get(), 3);
        if (start == "\xEF\xBB\xBF")
            from = 3;
    }
    FilledLineEnds ends;
    char last[64];
    std::uint64_t told = 0;
    for (std::uint64_t at = from; at < to;) {
        if (counted && (at - from) % (std::uint64_t{64} * blockBytes) == 0) {
            counted(ends.count() - told);
            told = ends.count();
        }
        const std::string_view bytes =
            source.read(at, buffer.get(), static_cast<std::size_t>(std::min<std::uint64_t>(blockBytes, to - at)));
        const std::size_t whole = bytes.size() / 64 * 64;
        ends.addBlocks(bytes.data(), whole);
        if (bytes.size() < blockBytes || whole < bytes.size()) {
            // The last bytes, followed by line breaks: a last line without
            // a break of its own ends there.
            std::memset(last, '\n', sizeof last);
            if (bytes.size() > whole)
                std::memcpy(last, bytes.data() + whole, bytes.size() - whole);
            ends.add(last);
            break;
        }
        at += bytes.size();
    }
    return ends.count();
}

} // namespace

} // namespace varnoth
