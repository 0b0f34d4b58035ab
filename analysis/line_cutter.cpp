#include "line_cutter.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "char_decoding.h"
#include "duration.h"
#include "forms/simd.h"
#include "forms/text.h"
#include "tail_marks.h"

namespace varnoth {
namespace {

constexpr std::size_t dateTimeLength = 18;
constexpr std::size_t scanLimit = 50;
constexpr std::string_view marker = " uploaded to";
constexpr std::size_t npos = std::string_view::npos;

// How character positions map to bytes. Every character of the marker, the
// commas, "(", ")", the separators and the duration's digits is one byte
// (ASCII), so only the counting of positions depends on the text's encoding.

// One character per byte: ASCII and Windows-1252 lines.
class SingleByteChars {
public:
    explicit SingleByteChars(std::string_view text)
        : size_(text.size())
    {
    }
    // Whether offset k names a character of the text (k <= its character count).
    bool within(std::size_t k) const { return k <= size_; }
    // Byte position of the character at offset k from the end (0 < k <= count(); 0 gives the end).
    std::size_t atOffset(std::size_t k) const { return size_ - k; }
    std::size_t advance(std::size_t from, std::size_t n) const { return std::min(from + n, size_); }

private:
    std::size_t size_;
};

// Valid UTF-8. The end of a line (the size text, byte count, speed and
// duration that the scans walk through) is nearly always plain ASCII, so
// offsets within the line's ASCII tail (as far as TailMarks found it) are
// found by subtraction; offsets
// further back are stepped to over whole characters, only as far back as a
// scan reaches. The character count is taken only when a test needs it.
// The line must be valid UTF-8.
class Utf8Chars {
public:
    // asciiTail: how many of the last bytes are known to be ASCII.
    Utf8Chars(std::string_view text, std::size_t asciiTail, std::vector<std::uint32_t> &starts)
        : text_(text)
        , asciiTail_(asciiTail)
        , starts_(starts)
    {
        starts_.clear();
    }
    bool within(std::size_t k)
    {
        if (k <= asciiTail_)
            return true;
        if (count_ == unknown)
            count_ = charCount(text_);
        return k <= count_;
    }
    std::size_t atOffset(std::size_t k)
    {
        if (k <= asciiTail_)
            return text_.size() - k;
        // starts_[i] is the byte position of the character at offset asciiTail_ + 1 + i.
        while (asciiTail_ + starts_.size() < k) {
            const std::size_t p = starts_.empty() ? text_.size() - asciiTail_ : starts_.back();
            starts_.push_back(static_cast<std::uint32_t>(stepBack(text_, p, 1)));
        }
        return starts_[k - asciiTail_ - 1];
    }
    std::size_t advance(std::size_t from, std::size_t n) const { return stepForward(text_, from, n); }

private:
    static constexpr std::size_t unknown = static_cast<std::size_t>(-1);
    std::string_view text_;
    std::size_t asciiTail_ = 0;
    std::size_t count_ = unknown;
    std::vector<std::uint32_t> &starts_;
};

#ifdef VARNOTH_AVX2
// findMarker's test of 32 positions at once from i on, for as long as they
// fit before last + 1; i is left at the first position not tested.
VARNOTH_AVX2_TARGET std::size_t findMarkerAvx2(const char *s, std::size_t &i, std::size_t last)
{
    constexpr std::size_t m = marker.size();
    for (; i + 32 <= last + 1; i += 32) {
        std::uint32_t candidates = simd::equal32(simd::load32(s + i), ' ') & simd::equal32(simd::load32(s + i + 1), 'u') &
                                   simd::equal32(simd::load32(s + i + m - 1), 'o');
        while (candidates != 0) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(candidates));
            if (std::memcmp(s + at + 1, marker.data() + 1, m - 2) == 0)
                return at;
            candidates &= candidates - 1;
        }
    }
    return npos;
}
#endif

// Byte position of the first " uploaded to", or npos.
std::size_t findMarker(std::string_view text)
{
    constexpr std::size_t m = marker.size();
    if (text.size() < m)
        return npos;
    const char *s = text.data();
    const std::size_t last = text.size() - m; // the last position where the marker fits
    std::size_t i = 0;
#ifdef VARNOTH_AVX2
    if (simd::avx2) {
        if (const std::size_t at = findMarkerAvx2(s, i, last); at != npos)
            return at;
    }
#endif
#ifdef VARNOTH_SSE2
    // Candidates have a blank at i, a "u" after it and the marker's final
    // "o" at i + 11; sixteen positions are tested at once and only
    // candidates compared in full.
    auto at16 = [&](std::size_t at, char c) {
        return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i *>(s + at)), _mm_set1_epi8(c));
    };
    for (; i + 16 <= last + 1; i += 16) {
        auto candidates = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_and_si128(at16(i, ' '), at16(i + 1, 'u')), at16(i + m - 1, 'o'))));
        while (candidates != 0) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(candidates));
            if (std::memcmp(s + at + 1, marker.data() + 1, m - 2) == 0)
                return at;
            candidates &= candidates - 1;
        }
    }
#endif
    for (; i <= last; ++i) {
        if (s[i] == ' ' && std::memcmp(s + i + 1, marker.data() + 1, m - 1) == 0)
            return i;
    }
    return npos;
}

// Position of the last "\\" or "/" in text after its first byte, or 0 when none.
std::size_t lastSeparator(std::string_view text)
{
    std::size_t end = text.size();
#ifdef VARNOTH_SSE2
    const __m128i backslash = _mm_set1_epi8('\\');
    const __m128i slash = _mm_set1_epi8('/');
    while (end >= 17) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + end - 16));
        const auto hits = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, backslash), _mm_cmpeq_epi8(v, slash))));
        if (hits != 0)
            return end - 16 + static_cast<std::size_t>(31 - std::countl_zero(hits));
        end -= 16;
    }
#endif
    for (std::size_t i = end; i-- > 1;) {
        if (text[i] == '\\' || text[i] == '/')
            return i;
    }
    return 0;
}

// Length of a clock duration ("10:00:01") with trailing blanks allowed; 0
// when the text is not one. Such a duration is all ASCII, so bytes and
// characters agree.
std::size_t clockDurationLength(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    DurationParts parts;
    return readClockDuration(text, parts) ? text.size() : 0;
}

// Byte ranges of the fields in the rest of the line after the date/time text.
struct Positions {
    CutStatus status = CutStatus::Ok;
    std::size_t pathEnd = 0;
    std::size_t folderEnd = 0;
    std::size_t nickStart = 0, nickEnd = 0;
    std::size_t bytesStart = 0, bytesEnd = 0;
    std::size_t durationStart = 0, durationEnd = 0;
};

// Where the three backward scans ended.
struct Scan {
    CutStatus status = CutStatus::Ok;
    std::size_t nickComma = 0, paren = 0; // offsets; 0 = not found
    std::size_t durationTail = 0;         // the duration begins at this offset from the end
    bool sawComma = false;                // whether durationTail is set
};

// The three backward scans, character by character. Each loop tests its end
// after its body, and the counters are not reset when an inner loop is
// entered again within the line, so such a loop then runs its body once.
template <class Chars> Scan scanEachCharacter(std::string_view rest, Chars &chars)
{
    // The character at offset k from the end; offsets past the start name the first character.
    auto at = [&](std::size_t k) { return chars.within(k) ? rest[chars.atOffset(k)] : rest[0]; };

    Scan s;
    std::size_t lastScan = 0, middleScan = 0, nickScan = 0;
    do {
        ++lastScan;
        if (at(lastScan) == ',') {
            const std::size_t lastSpan = lastScan + 1;
            if (lastScan < 2) { // the duration would be cut with a negative count
                s.status = CutStatus::BadCut;
                return s;
            }
            s.durationTail = lastSpan - 3; // the duration is the first 7 of the last durationTail characters
            s.sawComma = true;
            do {
                ++middleScan;
                if (at(middleScan + lastSpan) == ',') {
                    const std::size_t middleSpan = middleScan + lastSpan + 1;
                    do {
                        ++nickScan;
                        const std::size_t k = nickScan + middleSpan;
                        const char c = at(k);
                        if (c == '(')
                            s.paren = k;
                        if (c == ',')
                            s.nickComma = k;
                    } while (!(nickScan > scanLimit || s.nickComma != 0));
                }
            } while (!(middleScan > scanLimit || s.nickComma != 0));
        }
    } while (!(lastScan > scanLimit || s.nickComma != 0));
    return s;
}

// The scans of nearly every line: each finds its comma on its first entry,
// within the last 64 bytes. The last comma is followed by the middle one
// within 51 characters, and that by the nick comma within 51 more. marks
// hold characters up to offset min(64, reach). False for any other line.
VARNOTH_ALWAYS_INLINE bool scanNear(const NearMarks &marks, std::size_t reach, Scan &s)
{
    constexpr std::size_t end = scanLimit + 1; // a loop runs on until its counter passes the limit
    const std::size_t near = std::min<std::size_t>(reach, 64);
    const std::size_t last = marks.firstComma(1);
    if (last < 2 || last > std::min(end, near))
        return false;
    const std::size_t middle = marks.firstComma(last + 2);
    if (middle == 0 || middle > std::min(last + 1 + end, near))
        return false;
    const std::size_t nick = marks.firstComma(middle + 2);
    if (nick == 0 || nick > std::min(middle + 1 + end, near))
        return false;
    s.durationTail = last - 2;
    s.sawComma = true;
    s.paren = marks.lastOpen(middle + 2, nick);
    s.nickComma = nick;
    return true;
}

// The same scans with the same result, jumping from mark to mark of the
// line's tail instead of testing every character. Returns false when a scan
// would look beyond the marked offsets; the caller then scans each character.
bool scanMarks(const TailMarks &marks, Scan &s)
{
    if (scanNear(marks.near(), marks.reach(), s))
        return true;
    const std::size_t reach = marks.reach();
    constexpr std::size_t end = scanLimit + 1; // a loop runs on until its counter passes the limit

    // The first comma at an offset in [from, to], 0 when none; unknown (false) past the reach.
    auto comma = [&](std::size_t from, std::size_t to, std::size_t &at) {
        at = from <= reach ? marks.firstComma(from, std::min(to, reach)) : 0;
        return at != 0 || to <= reach;
    };
    std::size_t lastScan = 0, middleScan = 0, nickScan = 0;
    for (;;) {
        std::size_t last;
        if (!comma(lastScan + 1, end, last))
            return false;
        if (last == 0)
            return true;
        lastScan = last;
        if (lastScan < 2) {
            s.status = CutStatus::BadCut;
            return true;
        }
        const std::size_t lastSpan = lastScan + 1;
        s.durationTail = lastSpan - 3;
        s.sawComma = true;
        // A loop entered again with its counter past the limit runs its body once.
        const std::size_t middleEnd = std::max(middleScan + 1, end);
        while (middleScan < middleEnd) {
            std::size_t middle;
            if (!comma(lastSpan + middleScan + 1, lastSpan + middleEnd, middle))
                return false;
            if (middle == 0) {
                middleScan = middleEnd;
                break;
            }
            middleScan = middle - lastSpan;
            const std::size_t middleSpan = middle + 1;
            const std::size_t nickEnd = std::max(nickScan + 1, end);
            const std::size_t from = middleSpan + nickScan + 1;
            std::size_t nick;
            if (!comma(from, middleSpan + nickEnd, nick))
                return false;
            // The "(" met last before the inner scan stopped counts.
            const std::size_t stop = nick != 0 ? nick : middleSpan + nickEnd;
            if (const std::size_t paren = marks.lastParen(from, stop))
                s.paren = paren;
            if (nick != 0) {
                s.nickComma = nick;
                return true;
            }
            nickScan = nickEnd;
        }
        if (lastScan > scanLimit)
            return true;
    }
}

template <class Chars> Positions cutRest(std::string_view rest, TailMarks &marks, Chars &chars, bool requireMarker)
{
    Positions p;
    const std::size_t found = findMarker(rest);
    p.pathEnd = found == npos ? 0 : found + 1; // the path keeps the blank that begins the marker
    if (requireMarker && found == npos) {
        p.status = CutStatus::NoMarker;
        return p;
    }
    if (rest.empty()) {
        p.status = CutStatus::NoNickComma;
        return p;
    }

    Scan s;
    bool scanned = scanMarks(marks, s);
    while (!scanned && marks.extend()) {
        s = Scan{};
        scanned = scanMarks(marks, s);
    }
    if (!scanned)
        s = scanEachCharacter(rest, chars);
    if (s.status != CutStatus::Ok) {
        p.status = s.status;
        return p;
    }
    if (s.sawComma)
        p.durationStart = chars.within(s.durationTail + 1) ? chars.atOffset(s.durationTail) : 0;
    const std::size_t nickComma = s.nickComma;
    const std::size_t paren = s.paren;
    if (nickComma == 0) {
        p.status = CutStatus::NoNickComma;
        return p;
    }
    if (paren == 0) {
        p.status = CutStatus::NoParen;
        return p;
    }

    const std::size_t whole = clockDurationLength(rest.substr(p.durationStart));
    p.durationEnd = whole != 0 ? p.durationStart + whole : chars.advance(p.durationStart, 7);

    // The nick runs from the character after " uploaded to" and the one that
    // follows it (without a marker: from the 13th character) up to the
    // character before the nick comma. A comma at or before that start makes
    // a cut with a negative count.
    if (!chars.within(nickComma + 1)) {
        p.status = CutStatus::BadCut;
        return p;
    }
    p.nickStart = found == npos ? chars.advance(0, 12) : chars.advance(found + marker.size(), 1);
    p.nickEnd = chars.atOffset(nickComma);
    if (p.nickEnd < p.nickStart) {
        p.status = CutStatus::BadCut;
        return p;
    }
    if (p.nickEnd == p.nickStart) {
        p.status = CutStatus::EmptyNick;
        return p;
    }

    // The byte count is the number between "(" and ")".
    p.bytesStart = (chars.within(paren) ? chars.atOffset(paren) : 0) + 1;
    const void *close =
        p.bytesStart < rest.size() ? std::memchr(rest.data() + p.bytesStart, ')', rest.size() - p.bytesStart) : nullptr;
    p.bytesEnd = close ? static_cast<std::size_t>(static_cast<const char *>(close) - rest.data()) : rest.size();

    // The folder: the path before its last separator; the first character is never one.
    if (found != npos)
        p.folderEnd = lastSeparator(rest.substr(0, found + 1));
    return p;
}

// The count bytes of text from offset on, which the caller has made sure
// lie within it: substr's range check (and its call) left out.
VARNOTH_ALWAYS_INLINE std::string_view within(std::string_view text, std::size_t offset, std::size_t count)
{
    return {text.data() + offset, count};
}

// The cut of a line in the client's usual form (ASCII or UTF-8), straight
// from bytes to fields: its first 18 bytes plain ASCII, the marker in it
// (whether or not the mode requires it),
// the commas and the "(" that the three scans find on their first entry
// within its last 64 bytes and after its last non-ASCII byte, the nick not
// empty. Within that tail bytes and characters coincide, so every position
// is a subtraction. Gives exactly the cut of the general rules below; false
// for any other line, which they then cut.
VARNOTH_ALWAYS_INLINE bool cutCommonLine(std::string_view text, CutLine &result)
{
    constexpr std::size_t tail = 64;
    if (text.size() < dateTimeLength + tail)
        return false;
    std::uint64_t head[2];
    std::memcpy(head, text.data(), 16);
    if (((head[0] | head[1] | static_cast<unsigned char>(text[16]) | static_cast<unsigned char>(text[17])) &
         0x8080808080808080ull) != 0)
        return false;
    const std::string_view rest = within(text, dateTimeLength, text.size() - dateTimeLength);
    const std::size_t size = rest.size();

    const NearMarks marks = nearMarks(rest);
    Scan s;
    if (!scanNear(marks, marks.asciiTail(), s) || s.paren == 0)
        return false;
    const std::size_t found = findMarker(rest);
    if (found == npos || found + marker.size() >= size ||
        static_cast<unsigned char>(rest[found + marker.size()]) >= 0x80)
        return false;
    const std::size_t nickStart = found + marker.size() + 1;
    const std::size_t nickEnd = size - s.nickComma;
    if (nickEnd <= nickStart)
        return false;

    const std::size_t durationStart = size - s.durationTail;
    const std::size_t whole = clockDurationLength(within(rest, durationStart, size - durationStart));
    const std::size_t durationEnd = whole != 0 ? durationStart + whole : std::min(durationStart + 7, size);
    // The byte count ends at the first ")" after the "(", or at the line's end.
    const std::size_t bytesStart = size - s.paren + 1;
    const std::size_t bytesEnd = size - marks.lastCloseBelow(s.paren);

    result.status = CutStatus::Ok;
    result.inLine = true;
    result.DateTimeText = within(text, 0, dateTimeLength);
    result.FilePath = within(rest, 0, found + 1);
    result.Folder = within(rest, 0, lastSeparator(result.FilePath));
    result.Nick = within(rest, nickStart, nickEnd - nickStart);
    result.DurationText = within(rest, durationStart, durationEnd - durationStart);
    result.ByteText = within(rest, bytesStart, bytesEnd - bytesStart);
    return true;
}

bool cutCommonLinePlain(std::string_view text, CutLine &result)
{
    return cutCommonLine(text, result);
}

#ifdef VARNOTH_AVX2
// The same, compiled for the processor's AVX2 and bit-count instructions.
VARNOTH_AVX2_TARGET bool cutCommonLineAvx2(std::string_view text, CutLine &result)
{
    return cutCommonLine(text, result);
}
#endif

} // namespace

bool LineCutter::cutCommonLine(std::string_view text)
{
#ifdef VARNOTH_AVX2
    if (simd::avx2)
        return cutCommonLineAvx2(text, result_);
#endif
    return cutCommonLinePlain(text, result_);
}

const CutLine &LineCutter::cut(const TextLine &line, Mode mode)
{
    const bool requireMarker = mode == Mode::Analysis;
    if (line.tooLong) {
        result_ = CutLine{};
        result_.status = CutStatus::TooLong;
        return result_;
    }

    const std::string_view text = line.bytes;
    const bool utf8 = !line.ascii && isValidUtf8(text);
    if ((line.ascii || utf8) && cutCommonLine(text))
        return result_;
    result_ = CutLine{};
    Positions p;
    std::string_view rest;
    std::size_t restStart;
    if (utf8) {
        restStart = stepForward(text, 0, dateTimeLength);
        if (restStart == text.size() && charCount(text) < dateTimeLength) {
            result_.status = CutStatus::TooShort;
            return result_;
        }
        rest = text.substr(restStart);
        TailMarks marks(rest, false);
        Utf8Chars chars(rest, marks.reach(), offsets_);
        p = cutRest(rest, marks, chars, requireMarker);
    } else {
        if (text.size() < dateTimeLength) {
            result_.status = CutStatus::TooShort;
            return result_;
        }
        restStart = dateTimeLength;
        rest = text.substr(restStart);
        SingleByteChars chars(rest);
        TailMarks marks(rest, true);
        p = cutRest(rest, marks, chars, requireMarker);
    }

    auto range = [&](std::size_t from, std::size_t to) { return rest.substr(from, to - from); };
    result_.status = p.status;
    if (line.ascii || utf8) {
        result_.DateTimeText = text.substr(0, restStart);
        result_.FilePath = rest.substr(0, p.pathEnd);
        result_.Folder = rest.substr(0, p.folderEnd);
        if (p.status == CutStatus::Ok) {
            result_.Nick = range(p.nickStart, p.nickEnd);
            result_.DurationText = range(p.durationStart, p.durationEnd);
            result_.ByteText = range(p.bytesStart, p.bytesEnd);
        }
        return result_;
    }

    // Windows-1252: the fields are handed over as UTF-8 copies.
    result_.inLine = false;
    auto encode = [](std::string_view bytes, std::string &out) -> std::string_view {
        out.clear();
        appendWindows1252(bytes, out);
        return out;
    };
    result_.DateTimeText = encode(text.substr(0, restStart), dateTime_);
    result_.FilePath = encode(rest.substr(0, p.pathEnd), path_);
    // The folder is a prefix of the path, so it is cut from the path's UTF-8 text.
    result_.Folder = std::string_view(path_).substr(0, windows1252Utf8Length(rest.substr(0, p.folderEnd)));
    if (p.status == CutStatus::Ok) {
        result_.Nick = encode(range(p.nickStart, p.nickEnd), nick_);
        result_.DurationText = encode(range(p.durationStart, p.durationEnd), duration_);
        result_.ByteText = encode(range(p.bytesStart, p.bytesEnd), bytes_);
    }
    return result_;
}

} // namespace varnoth
