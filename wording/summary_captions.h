#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_report.h"
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

// The summary's figures as numbers, each brought to the decimals its caption
// shows; the size total always in megabytes (to whole megabytes where the
// caption shows gigabytes to three decimals). Nothing where the caption reads "n/a".
struct SummaryFigures {
    std::int64_t totalUploads = 0;
    std::int64_t totalUploaders = 0;
    std::int64_t differentFiles = 0;
    std::int64_t differentFolders = 0;
    double totalMegabytes = 0;
    WideInteger totalUploadSeconds;
    double averageUploadsPerPerson = 0;
    double averageMegabytesPerPerson = 0;
    double averageUploadSecondsPerPerson = 0;
    double averageUploadsPerFile = 0;
    double averageAccessesPerFolder = 0;
    std::optional<double> averageSpeedMegabytesPerSecond;
    double averageUploadSecondsPerFile = 0;
    double averageFilesizeMegabytes = 0;
};
SummaryFigures summaryFigures(const Summary &summary);

// The fourteen captions in the order the window sets them.
std::vector<std::string> captionLines(const SummaryCaptions &captions);

// An average upload time broken into whole hours, whole minutes (0-59) and
// seconds (below 60, with their fraction), as the last summary line shows
// it: the total divided exactly, however many the hours. A negative total
// stays in the seconds, as the carries only take 60 seconds or more.
struct BrokenTime {
    WideInteger hours;
    std::int64_t minutes = 0;
    double seconds = 0;
};
BrokenTime averageTime(const UploadTime &total, std::int64_t count);

} // namespace varnoth
