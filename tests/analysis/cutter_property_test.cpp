// The line cutter jumps between marks found with bit masks and SIMD, and
// steps over UTF-8 only where it must. Here it is held against a plain
// transcription of the cutting rules, character by character on decoded
// text, over random and mutated lines.
#include <gtest/gtest.h>

#include <random>

#include "analysis/char_decoding.h"
#include "analysis/duration.h"
#include "analysis/line_cutter.h"
#include "forms/simd.h"
#include "test_logs.h"

using namespace varnoth;

namespace {

using Chars = std::vector<std::string>; // one UTF-8 character each

Chars decode(std::string_view bytes)
{
    std::string utf8;
    if (isValidUtf8(bytes))
        utf8 = bytes;
    else
        appendWindows1252(bytes, utf8);
    Chars chars;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 1;
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80)
            ++n;
        chars.push_back(utf8.substr(i, n));
        i += n;
    }
    return chars;
}

std::string join(const Chars &chars, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to && i < chars.size(); ++i)
        out += chars[i];
    return out;
}

struct Fields {
    bool ok = false;
    std::string path, folder, nick, bytes, duration;
    bool operator==(const Fields &) const = default;
};

// The cutting rules as written: positions and offsets count characters;
// offset k is the k-th character from the end, and an offset beyond the
// start names the first character.
Fields referenceCut(std::string_view line, bool requireMarker)
{
    Fields f;
    const Chars all = decode(line);
    if (all.size() < 18)
        return f;
    const Chars rest(all.begin() + 18, all.end());
    const std::size_t L = rest.size();
    auto at = [&](std::size_t k) { return k <= L ? rest[L - k] : rest[0]; };

    std::size_t marker = std::string::npos;
    for (std::size_t i = 0; i + 12 <= L && marker == std::string::npos; ++i) {
        if (join(rest, i, i + 12) == " uploaded to")
            marker = i;
    }
    if ((requireMarker && marker == std::string::npos) || L == 0)
        return f;
    const std::size_t markerPos = marker == std::string::npos ? 0 : marker + 1; // 1-based

    std::size_t lastScan = 0, middleScan = 0, nickScan = 0, durationTail = 0, paren = 0, nickComma = 0;
    bool sawComma = false;
    do {
        ++lastScan;
        if (at(lastScan) == ",") {
            const std::size_t lastSpan = lastScan + 1;
            if (lastScan < 2)
                return f;
            durationTail = lastSpan - 3;
            sawComma = true;
            do {
                ++middleScan;
                if (at(middleScan + lastSpan) == ",") {
                    const std::size_t middleSpan = middleScan + lastSpan + 1;
                    do {
                        ++nickScan;
                        const std::size_t k = nickScan + middleSpan;
                        if (at(k) == "(")
                            paren = k;
                        if (at(k) == ",")
                            nickComma = k;
                    } while (!(nickScan > 50 || nickComma != 0));
                }
            } while (!(middleScan > 50 || nickComma != 0));
        }
    } while (!(lastScan > 50 || nickComma != 0));
    if (nickComma == 0 || paren == 0 || nickComma >= L)
        return f;

    // The nick: from position MarkerPos + 13 up to the character before the nick comma.
    const std::size_t nickStart = std::min(markerPos + 12, L), nickEnd = L - nickComma;
    if (nickEnd <= nickStart)
        return f;
    f.ok = true;
    f.nick = join(rest, nickStart, nickEnd);

    // The duration: a whole clock duration, or the first 7 characters.
    const std::size_t durationStart = sawComma && durationTail + 1 <= L ? L - durationTail : 0;
    std::string tail = join(rest, durationStart, L);
    while (!tail.empty() && (tail.back() == ' ' || tail.back() == '\t'))
        tail.pop_back();
    DurationParts clock;
    f.duration = readClockDuration(tail, clock) ? tail : join(rest, durationStart, durationStart + 7);

    // The bytes: between "(" and the next ")".
    std::size_t close = L - std::min(paren, L) + 1;
    const std::size_t bytesStart = close;
    while (close < L && rest[close] != ")")
        ++close;
    f.bytes = join(rest, bytesStart, close);

    f.path = join(rest, 0, markerPos);
    const Chars path(rest.begin(), rest.begin() + static_cast<long>(markerPos));
    for (std::size_t k = path.size(); k-- > 1;) {
        if (path[k] == "\\" || path[k] == "/") {
            f.folder = join(path, 0, k);
            break;
        }
    }
    return f;
}

Fields fastCut(LineCutter &cutter, const std::string &line, LineCutter::Mode mode)
{
    const CutLine &c = cutter.cut(varnoth::test::textLine(line), mode);
    if (c.status != CutStatus::Ok)
        return {};
    return {true,
            std::string(c.FilePath),
            std::string(c.Folder),
            std::string(c.Nick),
            std::string(c.ByteText),
            std::string(c.DurationText)};
}

// Lines near the client's format, with the pieces that steer the scans
// (commas, parentheses, blanks, non-ASCII text) put in at random.
class LineMaker {
public:
    explicit LineMaker(unsigned seed)
        : random_(seed)
    {
    }

    std::string line()
    {
        // Half in the client's own form, with short fields after the path
        // as in nearly every real line, half with fields of any length.
        std::string s = chance(5) ? "2003-06-14 21:05: " + piece(10, 90, true) + " uploaded to " + piece(1, 12, true) +
                                        ", " + piece(0, 9, true) + " (" + piece(1, 10, true) + "), " +
                                        piece(0, 12, true) + ", " + duration()
                                  : "2003-06-14 21:05: " + piece(0, 30) + (chance(9) ? " uploaded to " : " sent to ") +
                                        field() + ", " + field() + " (" + piece(0, 10) + ")" + piece(0, 3) + ", " +
                                        field() + ", " + duration() + (chance(2) ? piece(40, 56) : "");
        for (int m = static_cast<int>(pick(4)); m > 0; --m)
            mutate(s);
        return s;
    }

private:
    std::size_t pick(std::size_t n) { return random_() % n; }
    bool chance(int tenths) { return pick(10) < static_cast<std::size_t>(tenths); }

    // Pieces of text; utf8: without the bytes that make a line Windows-1252.
    std::string piece(std::size_t min, std::size_t max, bool utf8 = false)
    {
        static const char *const atoms[] = {"a", "Z", "0", "7",    " ",  ",",           "(", ")",  "\\",   "/",
                                            ":", ".", "é", "日本", "\t", "uploaded to", "K", ",,", "\xE9", "\x80"};
        std::string s;
        for (std::size_t n = min + pick(max - min + 1); n > 0; --n)
            s += chance(7) ? atoms[pick(4)] : atoms[pick(std::size(atoms) - (utf8 ? 2 : 0))];
        return s;
    }

    // Short mostly; often just around the scans' limit of 50 characters.
    std::string field() { return chance(7) ? piece(0, 12) : piece(44, 56); }

    std::string duration()
    {
        static const char *const forms[] = {"0:03:12",    "10:00:01", "123:45:06  ",   "0:0",
                                            "x,00:00:01", "1 03 12",  "0:03:12 extra", ""};
        return forms[pick(std::size(forms))];
    }

    void mutate(std::string &s)
    {
        if (s.empty())
            return;
        const std::size_t at = pick(s.size());
        switch (pick(3)) {
        case 0:
            s.erase(at, 1 + pick(3));
            break;
        case 1:
            s.insert(at, piece(1, 3));
            break;
        default:
            s[at] = ",()\\ "[pick(5)];
        }
    }

    std::mt19937 random_;
};

} // namespace

TEST(CutterProperty, EqualsTheRulesCharacterByCharacter)
{
    simd::onEachPath([] {
        LineCutter cutter;
        LineMaker maker(20260612);
        int accepted = 0;
        for (int i = 0; i < 40000; ++i) {
            const std::string line = maker.line();
            for (const auto mode : {LineCutter::Mode::Analysis, LineCutter::Mode::View}) {
                const Fields expected = referenceCut(line, mode == LineCutter::Mode::Analysis);
                ASSERT_EQ(fastCut(cutter, line, mode), expected) << line;
                accepted += expected.ok ? 1 : 0;
            }
        }
        // The generator must reach both outcomes often enough to mean something.
        EXPECT_GT(accepted, 10000);
        EXPECT_LT(accepted, 70000);
    });
}
