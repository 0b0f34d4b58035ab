#pragma once

#include <string>
#include <vector>

#include "analysis_state.h"
#include "forms/number_format.h"

namespace varnoth {

struct LabelCaption {
    std::string label;   // the label's name, e.g. "Label1"
    std::string caption; // its text, exact to the blank
};

// The fourteen summary captions in the order they are set and shown.
// downloaders, files and folders are the data rows of grid1, grid2 and grid3.
// Turns the total upload time (TimeHours, TimeMinutes, TimeSeconds) into the
// average upload time per downloader on the way.
std::vector<LabelCaption> summaryCaptions(AnalysisState &state, std::size_t downloaders,
                                          std::size_t files, std::size_t folders,
                                          const NumberFormat &format);

} // namespace varnoth
