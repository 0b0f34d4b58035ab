#pragma once

#include "forms/number_format.h"

namespace varnoth {

// How a run or a drill-down reads the log.
struct AnalysisOptions {
    // The user's number settings: a duration that is not written as a clock
    // is read part by part in them.
    NumberFormat numberFormat;
};

} // namespace varnoth
