#include "line_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "forms/simd.h"
#include "text.h"

namespace varnoth {

LineReader::LineReader(const LogInput &input, ByteRange range)
    : limit_(range.end)
{
    // A part that does not start the file begins with the first line that
    // begins in it: the bytes up to the first line break at or after the
    // byte before the part belong to the line before.
    const std::uint64_t from = range.begin > 0 ? range.begin - 1 : 0;
    skipping_ = range.begin > 0;
    if (const auto &bytes = input.bytes()) {
        // The whole "file" is in memory: lines are cut from it directly.
        startInMemory(*bytes, from, range.begin == 0);
        return;
    }
    ownFile_ = std::make_unique<OpenFile>(input.path());
    file_ = ownFile_.get();
    startInFile(from);
}

LineReader::LineReader(std::string_view bytes, ByteRange range, bool logStart)
    : limit_(range.end)
{
    skipping_ = range.begin > 0;
    startInMemory(bytes, range.begin > 0 ? range.begin - 1 : 0, logStart && range.begin == 0);
}

LineReader::LineReader(const OpenFile &file, ByteRange range, std::uint64_t hardEnd)
    : file_(&file)
    , hardEnd_(hardEnd)
    , limit_(range.end)
{
    skipping_ = range.begin > 0;
    startInFile(range.begin > 0 ? range.begin - 1 : 0);
}

void LineReader::startInMemory(std::string_view bytes, std::uint64_t from, bool dropMark)
{
    data_ = bytes.data();
    end_ = bytes.size();
    eof_ = true;
    atStart_ = false;
    begin_ = static_cast<std::size_t>(std::min<std::uint64_t>(from, end_));
    if (dropMark && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        begin_ = 3;
        consumed_ = 3;
    }
}

void LineReader::startInFile(std::uint64_t from)
{
    if (from > 0) {
        base_ = from;
        atStart_ = false;
    }
    buffer_.reset(new char[bufferBytes]); // left uninitialised: only bytes read from the file are used
    data_ = buffer_.get();
}

LineReader::~LineReader() = default;

const char *LineReader::findBreak(const char *p, const char *end, std::uint64_t &high)
{
    // The 64 bytes classified last hold the end of the line before and
    // mostly the start of this one: their marks are taken, not made again.
    if (window_.start && p >= window_.start && p < window_.start + 64) {
        const std::uint64_t from = ~std::uint64_t{0} << (p - window_.start);
        const std::uint64_t breaks = window_.breaks & from;
        if (breaks != 0) {
            const int at = std::countr_zero(breaks);
            high |= window_.high & from & ((std::uint64_t{1} << at) - 1);
            return window_.start + at;
        }
        high |= window_.high & from;
        p = window_.start + 64;
    }
#ifdef VARNOTH_AVX2
    if (simd::avx2 && windowsAvx2(p, end, high))
        return p;
#endif
#ifdef VARNOTH_SSE2
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    auto breaksIn = [&](__m128i v) {
        return static_cast<std::uint64_t>(
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)))));
    };
    auto highIn = [](__m128i v) { return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(v))); };
    // 64 bytes at a time while they last, then 16.
    while (end - p >= 64) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16));
        const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 32));
        const __m128i v3 = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 48));
        window_ = {p, breaksIn(v0) | (breaksIn(v1) << 16) | (breaksIn(v2) << 32) | (breaksIn(v3) << 48),
                   highIn(v0) | (highIn(v1) << 16) | (highIn(v2) << 32) | (highIn(v3) << 48)};
        if (breakInWindow(p, high))
            return p;
    }
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const std::uint64_t breaks = breaksIn(v);
        if (breaks != 0) {
            const int at = std::countr_zero(breaks);
            high |= highIn(v) & ((std::uint64_t{1} << at) - 1);
            return p + at;
        }
        high |= highIn(v);
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        if (*p == '\n' || *p == '\r')
            return p;
        high |= static_cast<unsigned char>(*p) & 0x80u;
    }
    return end;
}

#ifdef VARNOTH_AVX2
VARNOTH_AVX2_TARGET bool LineReader::windowsAvx2(const char *&p, const char *end, std::uint64_t &high)
{
    while (end - p >= 64) {
        const __m256i low = simd::load32(p);
        const __m256i upper = simd::load32(p + 32);
        window_ = {p, simd::equal64(low, upper, '\n') | simd::equal64(low, upper, '\r'), simd::highBits64(low, upper)};
        if (breakInWindow(p, high))
            return true;
    }
    return false;
}
#endif

bool LineReader::refill()
{
    if (eof_)
        return false;
    window_ = {}; // the bytes move
    if (begin_ > 0) {
        if (beforeMove_)
            beforeMove_();
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        end_ -= begin_;
        base_ += begin_;
        begin_ = 0;
    }
    const std::uint64_t at = base_ + end_;
    const std::size_t want =
        at >= hardEnd_
            ? 0
            : static_cast<std::size_t>(std::min<std::uint64_t>(std::min(bufferBytes - end_, readBytes), hardEnd_ - at));
    const std::size_t n = want == 0 ? 0 : file_->readAt(at, buffer_.get() + end_, want);
    if (n == 0) {
        eof_ = true;
        return false;
    }
    end_ += n;
    if (atStart_) {
        atStart_ = false;
        if (end_ >= 3 && std::memcmp(buffer_.get(), "\xEF\xBB\xBF", 3) == 0) {
            begin_ = 3;
            consumed_ += 3;
        }
    }
    return true;
}

bool TextLine::blank() const
{
    return !tooLong && isBlank(bytes);
}

bool LineReader::next(TextLine &line)
{
    if (!skipping_ && pastEnd())
        return false;
    std::size_t scanFrom = begin_;
    std::uint64_t high = 0;
    for (;;) {
        const char *base = data_;
        std::size_t at = static_cast<std::size_t>(findBreak(base + scanFrom, base + end_, high) - base);
        if (at < end_) {
            if (base[at] == '\r' && at + 1 == end_ && !eof_) {
                // Whether a LF follows this CR is in the next block. Refilling
                // moves the unread bytes to the front of the buffer, whether
                // or not more bytes come, so the CR's position moves with them.
                const std::size_t scanned = at - begin_;
                const bool more = refill();
                at = begin_ + scanned;
                if (more) {
                    scanFrom = at;
                    continue;
                }
                base = data_;
            }
            const std::size_t length = at - begin_;
            const std::size_t lineBreak = (base[at] == '\r' && at + 1 < end_ && base[at + 1] == '\n') ? 2 : 1;
            consumed_ += length + lineBreak;
            const std::size_t start = begin_;
            begin_ = at + lineBreak;
            if (skipping_) {
                skipping_ = false;
                if (pastEnd())
                    return false;
                scanFrom = begin_;
                high = 0;
                continue;
            }
            // A line that fitted into the buffer is still held to the limit,
            // so that the outcome does not depend on where the line lies.
            line.tooLong = length > maxLineBytes;
            line.bytes = std::string_view(base + start, line.tooLong ? maxLineBytes : length);
            line.number = ++lineNumber_;
            line.ascii = high == 0;
            line.ended = true;
            return true;
        }

        const std::size_t length = end_ - begin_;
        if (skipping_) {
            consumed_ += length;
            begin_ = end_;
            if (!refill()) {
                skipping_ = false;
                return false;
            }
            scanFrom = begin_;
            continue;
        }
        if (length > maxLineBytes) {
            line.bytes = std::string_view(base + begin_, maxLineBytes);
            line.number = ++lineNumber_;
            line.ascii = high == 0;
            line.tooLong = true;
            line.ended = true;
            consumed_ += length;
            begin_ = end_;
            skipping_ = true;
            return true;
        }
        if (refill()) {
            scanFrom = begin_ + length;
            continue;
        }
        if (length == 0)
            return false;
        // The last line of a file that does not end in a line break.
        line.bytes = std::string_view(data_ + begin_, length);
        line.number = ++lineNumber_;
        line.ascii = high == 0;
        line.tooLong = false;
        line.ended = false;
        consumed_ += length;
        begin_ = end_;
        return true;
    }
}

} // namespace varnoth
