#pragma once

#include <string>

#include "analysis_report.h"
#include "forms/number_format.h"

namespace varnoth {

// The fourteen summary lines as the window shows them, exact to the blank.
struct SummaryCaptions {
    std::string totalUploads;
    std::string totalUploaders;
    std::string differentFiles;
    std::string differentFolders;
    std::string averageUploadsPerPerson;
    std::string averageAccessesPerFolder;
    std::string averageUploadsPerFile;
    std::string totalSize; // in MB below 10000 MB, in GB above
    std::string totalUploadTime;
    std::string averageSpeed;
    std::string averageUploadTimePerFile;
    std::string averageMegabytesPerPerson;
    std::string averageFilesize;
    std::string averageUploadTimePerPerson;
};

// Averages follow the user's decimal separator; counts, the size total and
// the time parts are written in the sign-spaced form with ".".
SummaryCaptions summaryCaptions(const Summary &summary, const NumberFormat &format);

// An average upload time broken into hours, minutes (0-59) and seconds
// (below 60, with their fraction), as the last summary line shows it.
struct BrokenTime {
    double hours = 0;
    double minutes = 0;
    double seconds = 0;
};
BrokenTime breakSeconds(double seconds);

} // namespace varnoth
