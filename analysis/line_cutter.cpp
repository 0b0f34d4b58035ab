#include "line_cutter.h"

#include <algorithm>
#include <functional>

#include "char_decoding.h"

namespace varnoth {
namespace {

constexpr std::size_t dateTimeLength = 18;
constexpr std::size_t scanLimit = 50;
constexpr std::string_view marker = " uploaded to";

// Character positions (0-based indices into the rest of the line after the
// date/time text) of the fields of one line.
struct Positions {
    CutStatus status = CutStatus::Ok;
    std::size_t pathLength = 0;
    std::size_t folderLength = 0;
    std::size_t nickStart = 0, nickLength = 0;
    std::size_t bytesStart = 0, bytesLength = 0;
    std::size_t durationStart = 0, durationLength = 0;
};

template <class Ch>
std::size_t findMarker(std::basic_string_view<Ch> rest)
{
    if constexpr (std::is_same_v<Ch, char>) {
        static const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
        const auto it = std::search(rest.begin(), rest.end(), searcher);
        return it == rest.end() ? std::basic_string_view<Ch>::npos : static_cast<std::size_t>(it - rest.begin());
    } else {
        const std::u32string wide(marker.begin(), marker.end());
        return rest.find(wide);
    }
}

bool isDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

// Length of a duration written as hours ':' two digits ':' two digits with
// any number of hour digits, trailing blanks allowed; 0 when the text is not one.
template <class Ch>
std::size_t longDuration(std::basic_string_view<Ch> text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    const std::size_t n = text.size();
    if (n < 7)
        return 0;
    const std::size_t hours = n - 6;
    for (std::size_t i = 0; i < hours; ++i) {
        if (!isDigit(text[i]))
            return 0;
    }
    const bool ok = text[hours] == ':' && isDigit(text[hours + 1]) && isDigit(text[hours + 2])
                    && text[hours + 3] == ':' && isDigit(text[hours + 4]) && isDigit(text[hours + 5]);
    return ok ? n : 0;
}

template <class Ch>
Positions cutRest(std::basic_string_view<Ch> rest, bool requireMarker)
{
    Positions p;
    const std::size_t L = rest.size();
    const std::size_t found = findMarker(rest);
    const std::size_t markerPos = found == std::basic_string_view<Ch>::npos ? 0 : found + 1; // 1-based
    p.pathLength = markerPos;
    if (requireMarker && markerPos == 0) {
        p.status = CutStatus::NoMarker;
        return p;
    }
    if (L == 0) {
        p.status = CutStatus::NoNickComma;
        return p;
    }

    // The character at offset k from the end; offsets past the start name the first character.
    auto at = [&](std::size_t k) { return k <= L ? rest[L - k] : rest[0]; };

    // The three backward scans. Each loop tests its end after its body, and
    // the counters are not reset when an inner loop is entered again within
    // the line, so such a loop then runs its body once.
    std::size_t lastScan = 0, middleScan = 0, nickScan = 0;
    std::size_t nickComma = 0, paren = 0; // offsets; 0 = not found
    std::size_t lastSpan = 0;
    do {
        ++lastScan;
        if (at(lastScan) == ',') {
            lastSpan = lastScan + 1;
            if (lastScan < 2) { // the duration would be cut with a negative count
                p.status = CutStatus::BadCut;
                return p;
            }
            const std::size_t tail = lastSpan - 3; // the duration is the first 7 of the last `tail` characters
            p.durationStart = tail >= L ? 0 : L - tail;
            do {
                ++middleScan;
                if (at(middleScan + lastSpan) == ',') {
                    const std::size_t middleSpan = middleScan + lastSpan + 1;
                    do {
                        ++nickScan;
                        const std::size_t k = nickScan + middleSpan;
                        if (at(k) == '(')
                            paren = k;
                        if (at(k) == ',')
                            nickComma = k;
                    } while (!(nickScan > scanLimit || nickComma != 0));
                }
            } while (!(middleScan > scanLimit || nickComma != 0));
        }
    } while (!(lastScan > scanLimit || nickComma != 0));

    if (nickComma == 0) {
        p.status = CutStatus::NoNickComma;
        return p;
    }
    if (paren == 0) {
        p.status = CutStatus::NoParen;
        return p;
    }

    const std::size_t tailLength = L - p.durationStart;
    const std::size_t whole = longDuration(rest.substr(p.durationStart));
    p.durationLength = whole != 0 ? whole : std::min<std::size_t>(7, tailLength);

    // The nick runs from the character after " uploaded to" and the blank
    // that follows it up to the character before the nick comma.
    const auto count = static_cast<long long>(L) - static_cast<long long>(nickComma)
                       - static_cast<long long>(markerPos) - 12;
    if (count < 0) {
        p.status = CutStatus::BadCut;
        return p;
    }
    p.nickStart = std::min<std::size_t>(markerPos + 12, L);
    p.nickLength = std::min<std::size_t>(static_cast<std::size_t>(count), L - p.nickStart);
    if (p.nickLength == 0) {
        p.status = CutStatus::EmptyNick;
        return p;
    }

    // The byte count is the number between "(" and ")".
    const std::size_t parenIndex = paren <= L ? L - paren : 0;
    p.bytesStart = parenIndex + 1;
    std::size_t close = p.bytesStart;
    while (close < L && rest[close] != ')')
        ++close;
    p.bytesLength = close - p.bytesStart;

    // The folder: the path before its last separator; the first character is never one.
    for (std::size_t i = markerPos; i-- > 1;) {
        if (rest[i] == '\\' || rest[i] == '/') {
            p.folderLength = i;
            break;
        }
    }
    return p;
}

} // namespace

const CutLine &LineCutter::cut(const TextLine &line, Mode mode)
{
    result_ = CutLine{};
    const bool requireMarker = mode == Mode::Analysis;
    if (line.tooLong) {
        result_.status = CutStatus::TooLong;
        return result_;
    }

    if (line.ascii) {
        const std::string_view text = line.bytes;
        if (text.size() < dateTimeLength) {
            result_.status = CutStatus::TooShort;
            return result_;
        }
        const std::string_view rest = text.substr(dateTimeLength);
        const Positions p = cutRest(rest, requireMarker);
        result_.status = p.status;
        result_.DateTimeText = text.substr(0, dateTimeLength);
        result_.FilePath = rest.substr(0, p.pathLength);
        result_.Folder = rest.substr(0, p.folderLength);
        if (p.status == CutStatus::Ok) {
            result_.Nick = rest.substr(p.nickStart, p.nickLength);
            result_.DurationText = rest.substr(p.durationStart, p.durationLength);
            result_.ByteText = rest.substr(p.bytesStart, p.bytesLength);
        }
        return result_;
    }

    decodeLine(line.bytes, chars_);
    if (chars_.size() < dateTimeLength) {
        result_.status = CutStatus::TooShort;
        return result_;
    }
    const std::u32string_view all = chars_;
    const std::u32string_view rest = all.substr(dateTimeLength);
    const Positions p = cutRest(rest, requireMarker);
    auto encode = [](std::u32string_view chars, std::string &out) -> std::string_view {
        out.clear();
        appendUtf8(chars, out);
        return out;
    };
    result_.status = p.status;
    result_.DateTimeText = encode(all.substr(0, dateTimeLength), dateTime_);
    result_.FilePath = encode(rest.substr(0, p.pathLength), path_);
    // The folder is a prefix of the path, so it is cut from the path's UTF-8 text.
    result_.Folder = std::string_view(path_).substr(0, [&] {
        std::size_t bytes = 0;
        for (char32_t c : rest.substr(0, p.folderLength))
            bytes += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        return bytes;
    }());
    if (p.status == CutStatus::Ok) {
        result_.Nick = encode(rest.substr(p.nickStart, p.nickLength), nick_);
        result_.DurationText = encode(rest.substr(p.durationStart, p.durationLength), duration_);
        result_.ByteText = encode(rest.substr(p.bytesStart, p.bytesLength), bytes_);
    }
    return result_;
}

} // namespace varnoth
