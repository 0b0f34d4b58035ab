#pragma once

#include <cstdint>
#include <vector>

#include "analysis_report.h"
#include "duration.h"
#include "forms/number_reading.h"

namespace varnoth {

// The carry rule of upload times: the seconds are added and carry once at
// 60 into the minutes, then the minutes are added and carry once at 60 into
// the hours, then the hours are added (so a part that was 60 or more before
// can stay so). add(counter, part) adds one part to a counter.
template <class Parts, class Add> void addCarryingOnce(UploadTime &t, const Parts &more, Add add)
{
    t.seconds = add(t.seconds, more.seconds);
    if (t.seconds >= 60) {
        t.seconds -= 60;
        t.minutes = checkedAdd(t.minutes, 1);
    }
    t.minutes = add(t.minutes, more.minutes);
    if (t.minutes >= 60) {
        t.minutes -= 60;
        t.hours = checkedAdd(t.hours, 1);
    }
    t.hours = add(t.hours, more.hours);
}

// The upload durations of one downloader within a stretch of the log, kept so
// that its upload time comes out exactly as if every duration had been added
// to it one by one in log order: the downloader's first upload of the whole
// log is stored as it comes, every later one adds its seconds and carries
// once at 60, then its minutes and carries once at 60, then its hours.
//
// A run of durations whose minutes and seconds are whole numbers from 0 to
// 59 is kept as four sums: whatever time such a run is added to, seconds
// carry to minutes exactly clamp(floor(T / 60), 0, n) times, where T is the
// seconds held before plus the run's seconds and n the run's length (time
// above 60 drains by one carry per upload, time below 0 climbs without
// carrying, and time within 0..59 stays within it), and minutes carry to
// hours the same way with their own T. Any other duration (two digits above
// 59, a negative or fractional part) is kept as it is, between two runs.
//
// Stretches of the log read apart are joined in log order with append(); a
// stretch that was read first holds the downloader's first upload.
class UploadTimeLog {
public:
    void add(const DurationParts &duration)
    {
        // Nearly every upload, inline: a returning downloader's duration
        // with whole hours below 2^53 and whole minutes and seconds from 0
        // to 59, added to the run as addAny() would add it.
        const double h = duration.hours, m = duration.minutes, s = duration.seconds;
        if (started_ && h >= 0 && h < 9007199254740992.0 && m >= 0 && m <= 59 && s >= 0 && s <= 59) {
            const auto hours = static_cast<std::int64_t>(h);
            const auto minutes = static_cast<std::int64_t>(m);
            const auto seconds = static_cast<std::int64_t>(s);
            if (static_cast<double>(hours) == h && static_cast<double>(minutes) == m &&
                static_cast<double>(seconds) == s) {
                Run &run = lastRun();
                run.uploads = checkedAdd(run.uploads, 1);
                run.hours = checkedAdd(run.hours, hours);
                run.minutes += minutes;
                run.seconds += seconds;
                return;
            }
        }
        addAny(duration);
    }
    void append(const UploadTimeLog &later);

    // The downloader's upload time when this log begins at its first upload.
    UploadTime total() const;

private:
    struct Run {
        std::int64_t uploads = 0, hours = 0, minutes = 0, seconds = 0;
        void add(const DurationParts &duration);
        void append(const Run &later);
        void applyTo(UploadTime &time) const;
    };
    struct Odd {
        DurationParts duration;
        Run after;
    };
    Run &lastRun() { return odd_.empty() ? run_ : odd_.back().after; }
    void addAny(const DurationParts &duration);

    bool started_ = false;
    DurationParts first_;
    Run run_;              // the durations after the first, up to the first odd one
    std::vector<Odd> odd_; // each odd duration with the run that follows it
};

} // namespace varnoth
