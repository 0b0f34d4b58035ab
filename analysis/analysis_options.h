#pragma once

#include "calendar_date.h"
#include "forms/number_format.h"

namespace varnoth {

// How the bytes of a log file are read: copied into a buffer a block at a
// time, or mapped into memory where the page cache holds them. Mapping saves
// the copy, but sets up the mapping page by page; on the virtual machines we
// measured (bench/compare) that costs more than the copy, so reading through
// a buffer is the default and mapping is asked for (--read mapped,
// VARNOTH_READ=mapped).
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
    ReadMethod readMethod = ReadMethod::Buffer;
};

} // namespace varnoth
