#include "run_arguments.h"

#include <clocale>

namespace varnoth::cli {

UsageError missingValue(std::string_view option)
{
    return {"option '" + std::string(option) + "' needs a value"};
}

bool isRunOption(std::string_view name)
{
    return name == "--threads" || name == "--from" || name == "--to";
}

bool readRunOption(std::string_view name, std::string_view value, AnalysisOptions &options)
{
    if (!isRunOption(name))
        return false;
    if (name == "--threads") {
        const auto threads = positiveNumber<unsigned>(value, 1024);
        if (!threads)
            throw UsageError{"--threads takes a whole number from 1 to 1024, not '" + std::string(value) + "'"};
        options.threads = *threads;
        return true;
    }
    const auto date = CalendarDate::parse(value);
    if (!date)
        throw UsageError{std::string(name) + " takes a day as YYYY-MM-DD, not '" + std::string(value) + "'"};
    (name == "--from" ? options.range.from : options.range.to) = *date;
    return true;
}

void checkRange(const DateRange &range)
{
    if (range.from && range.to && *range.to < *range.from)
        throw UsageError{"--from " + range.from->text() + " comes after --to " + range.to->text()};
}

NumberFormat userNumberFormat()
{
    std::setlocale(LC_ALL, "");
    const std::lconv *conv = std::localeconv();
    NumberFormat format;
    if (conv && conv->decimal_point && *conv->decimal_point)
        format.decimalSeparator = conv->decimal_point;
    format.groupSeparator = conv && conv->thousands_sep ? conv->thousands_sep : "";
    std::setlocale(LC_ALL, "C");
    return format;
}

} // namespace varnoth::cli
