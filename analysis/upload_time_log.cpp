#include "upload_time_log.h"

#include <algorithm>
#include <cmath>

namespace varnoth {
namespace {

// Adds a duration part to a whole-number counter; the sum is made whole,
// halves going to the even neighbour.
std::int64_t addPart(std::int64_t counter, double part)
{
    if (part == std::trunc(part) && std::fabs(part) < 9007199254740992.0)
        return checkedAdd(counter, static_cast<std::int64_t>(part));
    return storeWhole(static_cast<double>(counter) + part);
}

// Minutes and seconds that a run can sum up: whole numbers from 0 to 59.
bool regular(double part)
{
    return part >= 0 && part <= 59 && part == std::trunc(part);
}

// How often a counter that n uploads brought to `total` carried at 60.
std::int64_t carries(std::int64_t total, std::int64_t n)
{
    const std::int64_t whole = total >= 0 ? total / 60 : -((-total + 59) / 60);
    return std::clamp<std::int64_t>(whole, 0, n);
}

} // namespace

void UploadTimeLog::Run::add(const DurationParts &d)
{
    uploads = checkedAdd(uploads, 1);
    hours = addPart(hours, d.hours);
    minutes += static_cast<std::int64_t>(d.minutes);
    seconds += static_cast<std::int64_t>(d.seconds);
}

void UploadTimeLog::Run::append(const Run &later)
{
    uploads = checkedAdd(uploads, later.uploads);
    hours = checkedAdd(hours, later.hours);
    minutes = checkedAdd(minutes, later.minutes);
    seconds = checkedAdd(seconds, later.seconds);
}

void UploadTimeLog::Run::applyTo(UploadTime &t) const
{
    if (uploads == 0)
        return;
    const std::int64_t seconds = checkedAdd(t.seconds, this->seconds);
    const std::int64_t secondCarries = carries(seconds, uploads);
    t.seconds = seconds - 60 * secondCarries;
    const std::int64_t minutes = checkedAdd(checkedAdd(t.minutes, this->minutes), secondCarries);
    const std::int64_t minuteCarries = carries(minutes, uploads);
    t.minutes = minutes - 60 * minuteCarries;
    t.hours = checkedAdd(checkedAdd(t.hours, hours), minuteCarries);
}

void UploadTimeLog::addAny(const DurationParts &duration)
{
    if (!started_) {
        started_ = true;
        first_ = duration;
    } else if (duration.hours == std::trunc(duration.hours) && regular(duration.minutes) && regular(duration.seconds)) {
        lastRun().add(duration);
    } else {
        odd_.push_back({duration, {}});
    }
}

void UploadTimeLog::append(const UploadTimeLog &later)
{
    if (!later.started_)
        return;
    if (!started_) {
        *this = later;
        return;
    }
    add(later.first_);
    lastRun().append(later.run_);
    odd_.insert(odd_.end(), later.odd_.begin(), later.odd_.end());
}

UploadTime UploadTimeLog::total() const
{
    UploadTime t;
    if (!started_)
        return t;
    // The first upload of the log is stored as it comes, without carrying.
    t.hours = addPart(0, first_.hours);
    t.minutes = addPart(0, first_.minutes);
    t.seconds = addPart(0, first_.seconds);
    run_.applyTo(t);
    for (const Odd &odd : odd_) {
        addCarryingOnce(t, odd.duration, addPart);
        odd.after.applyTo(t);
    }
    return t;
}

} // namespace varnoth
