#pragma once

#include <string>
#include <string_view>

#include "analysis_run.h"
#include "analysis_state.h"
#include "forms/number_format.h"
#include "grid_rows.h"

namespace varnoth {

struct DrilldownResult {
    bool completed = false;
    std::string message; // the message that ends the program when not completed
    GridRows rows{3};    // data rows in log order
};

// Every upload to one downloader, read again from the log: file path,
// megabytes ("0.00"), duration. The nick is compared exactly.
DrilldownResult personalStats(const std::string &path, std::string_view nick, AnalysisState &state,
                              const NumberFormat &format, RunObserver *observer = nullptr);

// Every upload of one file (its path as stored, trailing blank included):
// nick, duration, date and time ("2003-06-14 21:05").
DrilldownResult fileStats(const std::string &path, std::string_view file, AnalysisState &state,
                          const NumberFormat &format, RunObserver *observer = nullptr);

} // namespace varnoth
