#pragma once

#include <cmath>
#include <cstdint>

#include "activity_tally.h"
#include "analysis_options.h"
#include "calendar_date.h"
#include "deferred_tallies.h"
#include "duration.h"
#include "forms/line_reader.h"
#include "forms/number_reading.h"
#include "line_cutter.h"
#include "tallies.h"

namespace varnoth {

// What a stretch of the logs holds: its uploads per downloader, file and
// folder, per day and per hour of the day. Stretches counted apart and
// joined in log order by append() hold exactly what counting them at once
// would have (first appearances, ties, carries and sums to the last bit).
struct UploadTally {
    Tallies tallies;
    ActivityTally activity;
    std::int64_t uploads = 0; // upload lines counted

    // Adds the stretch that follows this one's, taking its tables apart.
    void append(UploadTally &&later);
};

// Counts the lines of one stretch into an UploadTally, one by one, as the
// run cuts them.
class UploadCounter {
public:
    UploadCounter(UploadTally &tally, const AnalysisOptions &options)
        : tally_(tally)
        , options_(options)
        , deferred_(tally.tallies)
    {
    }

    // Counts one line: false for a line that cannot be cut (counted no
    // further); blank lines and lines outside the range are passed over.
    bool count(const TextLine &line)
    {
        if (line.blank() || !options_.range.admits(line.bytes))
            return true;
        const CutLine &cut = cutter_.cut(line, LineCutter::Mode::Analysis);
        DurationParts duration;
        const bool timed =
            cut.status == CutStatus::Ok && readDuration(cut.DurationText, options_.numberFormat, duration);
        const double bytes = timed ? lenientNumber(cut.ByteText) : 0;
        if (!timed || !std::isfinite(bytes))
            return false;
        tally_.uploads = checkedAdd(tally_.uploads, 1);
        tally_.tallies.addDownloaderUpload(cut.Nick, bytes, duration);
        deferred_.add(cut.FilePath, cut.Folder.size(), bytes, cut.inLine);
        tally_.activity.add(dates_.of(line.bytes), lineHour(cut.DateTimeText), bytes, duration.totalSeconds());
        return true;
    }

    // Counts what waits: call before the bytes of the lines counted move,
    // and once at the end (which counts the folders of the files too).
    void flush() { deferred_.flush(); }
    void finish()
    {
        deferred_.flush();
        tally_.tallies.countFolders();
    }

private:
    UploadTally &tally_;
    const AnalysisOptions &options_;
    DeferredTallies deferred_;
    LineCutter cutter_;
    LineDates dates_;
};

} // namespace varnoth
