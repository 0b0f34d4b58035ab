#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "analysis_options.h"
#include "forms/line_reader.h"
#include "log_tally.h"
#include "outcome.h"
#include "progress.h"

namespace varnoth {

// One upload to the chosen downloader.
struct PersonalUpload {
    std::string file; // the path as logged, with the blank that ends it
    double megabytes = 0;
    std::string duration; // as logged: "0:03:12"
};

// One upload of the chosen file.
struct FileUpload {
    std::string nick;
    std::string duration; // as logged
    std::string dateTime; // "2003-06-14 21:05"
};

// Every upload to one downloader, read again from the logs in log order, as
// far as each was read for the results (LogTally::extents()). The nick is
// compared exactly. Lines are cut as the run cuts them, except that a line
// without " uploaded to" is cut all the same; a line that still cannot be
// cut is Corrupted (its number is given, though the window does not show
// it). The logs are read in parts side by side as a run reads them.
Outcome<std::vector<PersonalUpload>> personalRows(const std::vector<LogExtent> &logs, std::string_view nick,
                                                  const AnalysisOptions &options, const ProgressCallback &progress = {},
                                                  std::stop_token stop = {}, std::uint64_t partBytes = 0);

// Every upload of one file: its path as logged, the blank that ends it included.
Outcome<std::vector<FileUpload>> fileRows(const std::vector<LogExtent> &logs, std::string_view file,
                                          const AnalysisOptions &options, const ProgressCallback &progress = {},
                                          std::stop_token stop = {}, std::uint64_t partBytes = 0);

// The same for the whole of one log.
inline Outcome<std::vector<PersonalUpload>> personalRows(const LogInput &log, std::string_view nick,
                                                         const AnalysisOptions &options,
                                                         const ProgressCallback &progress = {},
                                                         std::uint64_t partBytes = 0)
{
    return personalRows({LogExtent{log, UINT64_MAX, UINT64_MAX}}, nick, options, progress, {}, partBytes);
}
inline Outcome<std::vector<FileUpload>> fileRows(const LogInput &log, std::string_view file,
                                                 const AnalysisOptions &options, const ProgressCallback &progress = {},
                                                 std::uint64_t partBytes = 0)
{
    return fileRows({LogExtent{log, UINT64_MAX, UINT64_MAX}}, file, options, progress, {}, partBytes);
}

} // namespace varnoth
