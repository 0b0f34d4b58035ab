#include "number_forms.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "number_reading.h"

namespace varnoth {
namespace {

constexpr int significantDigits = 15;

// A finite value as 15 significant decimal digits: value = 0.digits x 10^(exponent + 1),
// so the first digit stands at the place 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits; // exactly 15 digits, or empty for zero
    int exponent = 0;
};

Decimal toDecimal(double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0.0)
        return d;
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                std::chars_format::scientific, significantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c != '.')
            d.digits += c;
    }
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return d;
}

// Integer and fraction digits of a decimal rounded to `decimals` places, halves away from zero.
struct Fixed {
    bool negative = false;
    std::string integer;  // no leading zeros; empty for 0
    std::string fraction; // exactly `decimals` digits
};

Fixed toFixed(double value, int decimals)
{
    const Decimal d = toDecimal(value);
    Fixed f;
    f.negative = d.negative;
    std::string integer;
    std::string fraction;
    if (!d.digits.empty()) {
        if (d.exponent >= 0) {
            const auto intLen = static_cast<std::size_t>(d.exponent) + 1;
            if (intLen >= d.digits.size()) {
                integer = d.digits + std::string(intLen - d.digits.size(), '0');
            } else {
                integer = d.digits.substr(0, intLen);
                fraction = d.digits.substr(intLen);
            }
        } else {
            fraction = std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
        }
    }
    const auto places = static_cast<std::size_t>(decimals);
    bool roundUp = fraction.size() > places && fraction[places] >= '5';
    fraction.resize(places, '0');
    if (roundUp) {
        std::string all = integer + fraction;
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0; --i) {
            if (all[static_cast<std::size_t>(i)] == '9') {
                all[static_cast<std::size_t>(i)] = '0';
            } else {
                ++all[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
        integer = all.substr(0, all.size() - places);
        fraction = all.substr(all.size() - places);
    }
    const auto firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    f.integer = integer;
    f.fraction = fraction;
    if (f.integer.empty() && f.fraction.find_first_not_of('0') == std::string::npos)
        f.negative = false; // no "-0.00"
    return f;
}

std::string signSpacedWith(double value, std::string_view point)
{
    if (std::isnan(value))
        return " NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : " Inf";
    const Decimal d = toDecimal(value);
    std::string out = d.negative && !d.digits.empty() ? "-" : " ";
    if (d.digits.empty())
        return out + "0";
    std::string digits = d.digits;
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (d.exponent >= significantDigits || d.exponent < -4) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) {
            out += point;
            out += digits.substr(1);
        }
        out += d.exponent < 0 ? "E-" : "E+";
        const std::string e = std::to_string(std::abs(d.exponent));
        out += e.size() < 2 ? "0" + e : e;
        return out;
    }
    if (d.exponent >= 0) {
        const auto intLen = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= intLen) {
            out += digits + std::string(intLen - digits.size(), '0');
        } else {
            out += digits.substr(0, intLen);
            out += point;
            out += digits.substr(intLen);
        }
    } else {
        out += point;
        out += std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + digits;
    }
    return out;
}

} // namespace

std::string plainDecimal(std::int64_t value)
{
    return std::to_string(value);
}

std::string signSpaced(double value)
{
    return signSpacedWith(value, ".");
}

std::string formatPattern(double value, Pattern pattern, const NumberFormat &format)
{
    if (!std::isfinite(value))
        return "n/a";
    int decimals = 2;
    std::size_t minInteger = 1;
    switch (pattern) {
    case Pattern::Megabytes:
    case Pattern::TwoDecimals:
        break;
    case Pattern::PointTwo:
        minInteger = 0;
        break;
    case Pattern::PointThree:
        decimals = 3;
        minInteger = 0;
        break;
    case Pattern::PointOne:
        decimals = 1;
        minInteger = 0;
        break;
    case Pattern::TwoDigits:
        decimals = 0;
        minInteger = 2;
        break;
    }
    const Fixed f = toFixed(value, decimals);
    std::string out = f.negative ? "-" : "";
    if (f.integer.size() < minInteger)
        out += std::string(minInteger - f.integer.size(), '0');
    out += f.integer;
    if (decimals > 0) {
        out += format.decimalSeparator;
        out += f.fraction;
    }
    return out;
}

double shownValue(double value, Pattern pattern)
{
    return lenientNumber(formatPattern(value, pattern, NumberFormat::c()));
}

std::string numericPrintForm(double value, const NumberFormat &format)
{
    return signSpacedWith(value, format.decimalSeparator) + " ";
}

} // namespace varnoth
