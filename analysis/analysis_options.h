#pragma once

#include "calendar_date.h"
#include "forms/number_format.h"

namespace varnoth {

// How the bytes of a log file are read: mapped into memory where the page
// cache holds them, or copied into a buffer (where mapping is not possible,
// and to compare the two).
enum class ReadMethod { Map, Buffer };

// How a run or a drill-down reads the log.
struct AnalysisOptions {
    // The user's number settings: a duration that is not written as a clock
    // is read part by part in them.
    NumberFormat numberFormat;
    // Worker threads; 0 takes every hardware thread.
    unsigned threads = 0;
    // Only lines dated within the range are read; the others are skipped
    // like blank lines. The whole log when both ends are open.
    DateRange range;
    ReadMethod readMethod = ReadMethod::Map;
};

} // namespace varnoth
