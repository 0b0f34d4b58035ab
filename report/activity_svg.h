#pragma once

#include <string>

#include "analysis/activity.h"
#include "analysis/activity_periods.h"
#include "forms/number_format.h"

namespace varnoth {

// Bar charts of the activity as inline SVG for the HTML report: no script and
// no outside resource, readable and printable as they stand. Each bar carries
// its day or hour, uploads and megabytes as a tooltip (an SVG title).

// Uploads per period (as the activity window groups them) from the first to
// the last day with uploads; empty text when no upload has a date.
std::string periodChart(const ActivityPeriods &periods, const NumberFormat &format);

// Uploads per hour of the day, 0 to 23.
std::string hourChart(const Activity &activity, const NumberFormat &format);

} // namespace varnoth
