#include "display_text.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace varnoth {
namespace {

struct CodeRange {
    char32_t first;
    char32_t last;
};

// Wide (W) and fullwidth (F) characters of Unicode's East Asian Width property,
// by block.
constexpr CodeRange wideRanges[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},   {0x23F0, 0x23F0},
    {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},   {0x2648, 0x2653},   {0x267F, 0x267F},
    {0x2693, 0x2693},   {0x26A1, 0x26A1},   {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},
    {0x26CE, 0x26CE},   {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F5},   {0x26FA, 0x26FD},
    {0x2705, 0x2705},   {0x270A, 0x270B},   {0x2728, 0x2728},   {0x274C, 0x274C},   {0x2753, 0x2757},
    {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},   {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},
    {0x2B55, 0x2B55},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4}, {0x17000, 0x18CFF},
    {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF}, {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A},
    {0x1F200, 0x1F251}, {0x1F300, 0x1F320}, {0x1F32D, 0x1F335}, {0x1F337, 0x1F37C}, {0x1F37E, 0x1F393},
    {0x1F3A0, 0x1F3CA}, {0x1F3CF, 0x1F3D3}, {0x1F3E0, 0x1F3F0}, {0x1F3F4, 0x1F3F4}, {0x1F3F8, 0x1F43E},
    {0x1F440, 0x1F440}, {0x1F442, 0x1F4FC}, {0x1F4FF, 0x1F53D}, {0x1F54B, 0x1F54E}, {0x1F550, 0x1F567},
    {0x1F57A, 0x1F57A}, {0x1F595, 0x1F596}, {0x1F5A4, 0x1F5A4}, {0x1F5FB, 0x1F64F}, {0x1F680, 0x1F6C5},
    {0x1F6CC, 0x1F6CC}, {0x1F6D0, 0x1F6D2}, {0x1F6D5, 0x1F6D7}, {0x1F6EB, 0x1F6EC}, {0x1F6F4, 0x1F6FC},
    {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F93A}, {0x1F93C, 0x1F945}, {0x1F947, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

// Combining marks of the common scripts, the Hangul medial and final jamo,
// and the characters that take no room (zero-width spaces and joiners,
// direction marks, variation selectors, the byte-order mark).
constexpr CodeRange zeroWidthRanges[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},   {0x05C4, 0x05C5},
    {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670}, {0x06D6, 0x06DC},   {0x06DF, 0x06E4},
    {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x0900, 0x0902}, {0x093A, 0x093A}, {0x093C, 0x093C},   {0x0941, 0x0948},
    {0x094D, 0x094D}, {0x0951, 0x0957}, {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E},   {0x1160, 0x11FF},
    {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF}, {0x200B, 0x200F}, {0x2060, 0x2064}, {0x20D0, 0x20FF},   {0x302A, 0x302D},
    {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF},
};

bool inRanges(char32_t c, const CodeRange *begin, const CodeRange *end)
{
    const CodeRange *found =
        std::upper_bound(begin, end, c, [](char32_t value, const CodeRange &range) { return value < range.first; });
    return found != begin && c <= std::prev(found)->last;
}

// The code point that starts at text[at] and its length in bytes; length 0
// for a byte that does not start a valid UTF-8 sequence.
struct Decoded {
    char32_t code = 0;
    std::size_t length = 0;
};

Decoded decodeAt(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return {};
    }
    if (at + length > text.size())
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {};
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    return {code, length};
}

// Characters that a name from a log may not show as they are: they move
// what follows, change the order of what is shown around them, or take no
// room and so hide that they are there. Sorted, for the search.
constexpr CodeRange hiddenRanges[] = {
    {0x00AD, 0x00AD},   // soft hyphen: shown only at a line break
    {0x034F, 0x034F},   // combining grapheme joiner
    {0x061C, 0x061C},   // Arabic letter mark
    {0x115F, 0x1160},   // Hangul fillers
    {0x17B4, 0x17B5},   // Khmer inherent vowels
    {0x180E, 0x180E},   // Mongolian vowel separator
    {0x200B, 0x200F},   // zero-width space, non-joiner and joiner; left-to-right and right-to-left marks
    {0x2028, 0x202E},   // line and paragraph separators; embeddings, overrides and their end
    {0x2060, 0x206F},   // word joiner, invisible operators, isolates and their end, deprecated format characters
    {0x3164, 0x3164},   // Hangul filler
    {0xFEFF, 0xFEFF},   // zero-width no-break space (byte order mark)
    {0xFFA0, 0xFFA0},   // halfwidth Hangul filler
    {0xFFF9, 0xFFFB},   // interlinear annotation: hides the annotated text
    {0x1BCA0, 0x1BCA3}, // shorthand format controls
    {0x1D173, 0x1D17A}, // musical format characters
    {0xE0000, 0xE007F}, // tags
};

// What a name shows instead of a character it may not show as it is: the
// control pictures (␀ … ␟, ␡) for C0 controls and DEL, so that a tab or an
// escape stays recognisable, and U+FFFD for every other.
std::string_view replacementFor(char32_t c)
{
    static constexpr const char *controlPictures[] = {
        "\u2400", "\u2401", "\u2402", "\u2403", "\u2404", "\u2405", "\u2406", "\u2407", "\u2408", "\u2409", "\u240A",
        "\u240B", "\u240C", "\u240D", "\u240E", "\u240F", "\u2410", "\u2411", "\u2412", "\u2413", "\u2414", "\u2415",
        "\u2416", "\u2417", "\u2418", "\u2419", "\u241A", "\u241B", "\u241C", "\u241D", "\u241E", "\u241F"};
    if (c < 0x20)
        return controlPictures[c];
    return c == 0x7F ? "\u2421" : "\uFFFD";
}

bool unprintable(char32_t c)
{
    if (c < 0xA0)
        return c < 0x20 || c >= 0x7F; // C0, DEL and C1
    return inRanges(c, std::begin(hiddenRanges), std::end(hiddenRanges));
}

// The columns of the character at text[at], which at then passes.
std::size_t nextWidth(std::string_view text, std::size_t &at)
{
    static_assert(wideRanges[0].first > zeroWidthRanges[0].first, "below the first zero-width mark all is narrow");
    const Decoded d = decodeAt(text, at);
    if (d.length == 0) {
        ++at;
        return 1;
    }
    at += d.length;
    if (d.code < zeroWidthRanges[0].first) // Latin and the like: no table to search
        return 1;
    if (inRanges(d.code, std::begin(zeroWidthRanges), std::end(zeroWidthRanges)))
        return 0;
    return inRanges(d.code, std::begin(wideRanges), std::end(wideRanges)) ? 2 : 1;
}

} // namespace

std::size_t displayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size();)
        width += nextWidth(text, at);
    return width;
}

std::string cutToWidth(std::string text, std::size_t columns)
{
    if (displayWidth(text) <= columns)
        return text; // nearly every name: handed back, not copied
    std::size_t width = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t next = at;
        const std::size_t more = nextWidth(text, next);
        if (width + more + 1 > columns)
            break;
        width += more;
        at = next;
    }
    text.resize(at);
    return text += "\u2026";
}

std::string printable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        // Printable ASCII, nearly every character of a name, as it is.
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte >= 0x20 && byte < 0x7F) {
            out += static_cast<char>(byte);
            ++at;
            continue;
        }
        const Decoded d = decodeAt(text, at);
        if (d.length == 0)
            out += "\uFFFD";
        else if (unprintable(d.code))
            out += replacementFor(d.code);
        else
            out.append(text, at, d.length);
        at += d.length == 0 ? 1 : d.length;
    }
    return out;
}

} // namespace varnoth
