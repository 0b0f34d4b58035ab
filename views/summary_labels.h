#pragma once

#include <string>

#include "wording/summary_captions.h"

namespace varnoth {

// Which of the window's labels shows which summary line, in the order the
// lines are set and shown.
struct SummaryLabel {
    const char *label;
    std::string SummaryCaptions::*caption;
};

inline constexpr SummaryLabel summaryLabels[] = {
    {"Label1", &SummaryCaptions::totalUploads},
    {"Label4", &SummaryCaptions::totalUploaders},
    {"Label7", &SummaryCaptions::differentFiles},
    {"Label12", &SummaryCaptions::differentFolders},
    {"Label6", &SummaryCaptions::averageUploadsPerPerson},
    {"Label13", &SummaryCaptions::averageAccessesPerFolder},
    {"Label10", &SummaryCaptions::averageUploadsPerFile},
    {"Label11", &SummaryCaptions::totalSize},
    {"Label14", &SummaryCaptions::totalUploadTime},
    {"Label15", &SummaryCaptions::averageSpeed},
    {"Label16", &SummaryCaptions::averageUploadTimePerFile},
    {"Label17", &SummaryCaptions::averageMegabytesPerPerson},
    {"Label19", &SummaryCaptions::averageFilesize},
    {"Label18", &SummaryCaptions::averageUploadTimePerPerson},
};

} // namespace varnoth
