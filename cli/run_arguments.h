#pragma once

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_options.h"
#include "forms/number_format.h"

namespace varnoth::cli {

// A command line that cannot be followed; the message says why.
struct UsageError {
    std::string message;
};

// The error for an option given without its value.
UsageError missingValue(std::string_view option);

// A whole number written in decimal digits only, at least 1 and at most max.
template <class Number> std::optional<Number> positiveNumber(std::string_view text, Number max)
{
    Number value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > max)
        return std::nullopt;
    return value;
}

// The options of a run that both commands take: --threads N (1 to 1024),
// --from YYYY-MM-DD and --to YYYY-MM-DD (real days). Reads `name` with its
// value into options and returns true; false when `name` is none of them.
// Throws UsageError for a bad value.
bool readRunOption(std::string_view name, std::string_view value, AnalysisOptions &options);
bool isRunOption(std::string_view name);

// Throws UsageError when the range ends before it starts.
void checkRange(const DateRange &range);

// The user's number settings, as the C library reads them from the environment.
NumberFormat userNumberFormat();

} // namespace varnoth::cli
