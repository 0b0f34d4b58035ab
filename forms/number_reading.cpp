#include "number_reading.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "failure.h"
#include "text.h"

namespace varnoth {
namespace {

// Parses a clean ASCII number text ("-12.5e3") with the C locale's rules.
double parseClean(const std::string &clean)
{
    if (clean.empty())
        return 0.0;
    double value = 0.0;
    const char *first = clean.data();
    const char *last = first + clean.size();
    if (*first == '+')
        ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // Either too large (an infinity) or too small (zero); tell them apart
        // by the exponent's sign.
        const bool negative = clean[0] == '-';
        const auto e = clean.find_first_of("eE");
        const bool tiny = e != std::string::npos && e + 1 < clean.size() && clean[e + 1] == '-';
        if (tiny)
            return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    if (ec != std::errc() || ptr != last)
        return 0.0;
    return value;
}

// Whether the eight bytes of a word are all ASCII digits: each byte's top
// nibble is 3 and adding 6 keeps it so.
bool eightDigits(std::uint64_t word)
{
    return (word & 0xF0F0F0F0F0F0F0F0ull) == 0x3030303030303030ull &&
           ((word + 0x0606060606060606ull) & 0xF0F0F0F0F0F0F0F0ull) == 0x3030303030303030ull;
}

// Eight ASCII digits (the first at the lowest byte of a little-endian word)
// as a number, all added at once: pairs, then fours, then all eight, the
// first digit the most significant.
std::uint64_t eightDigitsValue(std::uint64_t word)
{
    const std::uint64_t values = word - 0x3030303030303030ull;
    std::uint64_t v = values * 10 + (values >> 8);
    v = (v & 0x00FF00FF00FF00FFull) * 100 + ((v >> 16) & 0x00FF00FF00FF00FFull);
    v = (v & 0x0000FFFF0000FFFFull) * 10000 + ((v >> 32) & 0x0000FFFF0000FFFFull);
    return v & 0xFFFFFFFFull;
}

// Up to 15 plain digits, read directly into value: they are exact in a
// double, so the value is the same as the general readings give. False for
// other texts. (A flag and an out-parameter, not an optional: the optional's
// flag would come back through memory and stall the caller.)
bool plainDigits(std::string_view text, double &value)
{
    if (text.empty() || text.size() > 15)
        return false;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight or more digits: the last eight are read as one word, and so
        // are the first eight, shifted so that only those before the last
        // eight remain, behind zeros. No loop, so no branch on the length.
        if (text.size() >= 8) {
            const std::size_t n = text.size();
            std::uint64_t first, last;
            std::memcpy(&first, text.data(), 8);
            std::memcpy(&last, text.data() + n - 8, 8);
            // Bits taken by the digits that the last eight hold too (0 to 64).
            const unsigned overlap = 8 * static_cast<unsigned>(16 - n);
            auto shiftUp = [&](std::uint64_t w) { return (w << (overlap / 2)) << (overlap - overlap / 2); };
            const std::uint64_t zeros = 0x3030303030303030ull & ~shiftUp(~std::uint64_t{0});
            const std::uint64_t head = shiftUp(first) | zeros;
            if (!eightDigits(head) || !eightDigits(last))
                return false;
            value = static_cast<double>(eightDigitsValue(head) * 100000000 + eightDigitsValue(last));
            return true;
        }
    }
    std::uint64_t whole = 0;
    for (char c : text) {
        if (!isDigit(c))
            return false;
        whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
    }
    value = static_cast<double>(whole);
    return true;
}

} // namespace

double lenientNumber(std::string_view text)
{
    // The byte count of nearly every log line: plain digits.
    if (double value; plainDigits(text, value))
        return value;

    std::string clean;
    std::size_t i = 0;
    auto peek = [&]() -> char {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n'))
            ++i;
        return i < text.size() ? text[i] : '\0';
    };

    char c = peek();
    if (c == '+' || c == '-') {
        clean += c;
        ++i;
    }
    bool digits = false;
    while (isDigit(c = peek())) {
        clean += c;
        digits = true;
        ++i;
    }
    if (c == '.') {
        ++i;
        std::string fraction;
        while (isDigit(c = peek())) {
            fraction += c;
            ++i;
        }
        if (!fraction.empty()) {
            clean += '.';
            clean += fraction;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (c == 'e' || c == 'E') {
        const std::size_t mark = i;
        ++i;
        std::string exponent = "e";
        c = peek();
        if (c == '+' || c == '-') {
            exponent += c;
            ++i;
        }
        bool expDigits = false;
        while (isDigit(c = peek())) {
            exponent += c;
            expDigits = true;
            ++i;
        }
        if (expDigits)
            clean += exponent;
        else
            i = mark;
    }
    return parseClean(clean);
}

std::optional<double> strictNumber(std::string_view text, const NumberFormat &format)
{
    // Every count cell of the grids: plain digits.
    if (double value; plainDigits(text, value))
        return value;

    auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);

    std::string clean;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        clean += text[i++];

    bool digits = false;
    bool lastWasDigit = false;
    const std::string_view group = format.groupSeparator;
    const std::string_view point = format.decimalSeparator;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            clean += text[i++];
            digits = lastWasDigit = true;
        } else if (!group.empty() && lastWasDigit && text.substr(i, group.size()) == group &&
                   i + group.size() < text.size() && isDigit(text[i + group.size()])) {
            i += group.size();
            lastWasDigit = false;
        } else {
            break;
        }
    }
    if (!point.empty() && text.substr(i, point.size()) == point) {
        i += point.size();
        clean += '.';
        while (i < text.size() && isDigit(text[i])) {
            clean += text[i++];
            digits = true;
        }
    }
    if (!digits)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        clean += 'e';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            clean += text[i++];
        bool expDigits = false;
        while (i < text.size() && isDigit(text[i])) {
            clean += text[i++];
            expDigits = true;
        }
        if (!expDigits)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    if (clean.back() == '.')
        clean.pop_back();
    return parseClean(clean);
}

std::int64_t storeWhole(double value)
{
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    // 2^63 is the first double beyond the 64-bit range.
    if (!(rounded >= -9223372036854775808.0 && rounded < 9223372036854775808.0))
        throw Failure(failures::overflow);
    return static_cast<std::int64_t>(rounded);
}

void throwOverflow()
{
    throw Failure(failures::overflow);
}

} // namespace varnoth
