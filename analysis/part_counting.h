#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <string>

#include "analysis_options.h"
#include "part_reading.h"
#include "shared_progress.h"
#include "upload_tally.h"

namespace varnoth {

// What the second pass found in a part: its counts, and a last line without
// its line end.
struct PartCount {
    UploadTally tally;
    bool hasTail = false;
    std::string tail;
};

// The first pass over a part: its upload lines, counted without cutting
// them when the whole log is read, cut only to read their dates when a
// range is asked. Tells shared of them as it goes.
std::int64_t countLines(const LogPart &part, const DateRange &range, SharedProgress &shared, std::stop_token stop);

// The second pass over a part: every line cut and counted into count, up to
// the part's first corrupted line. A last line without its line end, where
// it may yet get one (lastLineWaits), is kept aside uncounted. Stops early
// when asked to or when needless() says an earlier part has stopped.
void countPart(const LogPart &part, bool lastLineWaits, const AnalysisOptions &options, PartCount &count, PartEnd &end,
               SharedProgress &shared, std::stop_token stop, const std::function<bool()> &needless);

} // namespace varnoth
