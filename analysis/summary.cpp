#include "summary.h"

#include <cmath>

#include "forms/number_forms.h"
#include "forms/number_reading.h"

namespace varnoth {
namespace {

// A value brought to `pattern`'s decimals (halves away from zero), then
// written in the sign-spaced form: 1234.5 gives " 1234.5", 999.996 gives " 1000".
std::string roundedSignSpaced(double value, Pattern pattern)
{
    return signSpaced(lenientNumber(formatPattern(value, pattern, NumberFormat::c())));
}

std::string sizeTotal(double megabytes)
{
    if (megabytes > 10000)
        return "Total GB's Uploaded :" + roundedSignSpaced(megabytes / 1000, Pattern::PointThree) + " GB";
    return "Total MB's Uploaded :" + roundedSignSpaced(megabytes, Pattern::PointTwo);
}

std::string timeCaption(const char *prefix, double hours, double minutes, const std::string &seconds)
{
    return std::string(prefix) + signSpaced(hours) + "h " + signSpaced(minutes) + "m " + seconds + "s ";
}

} // namespace

std::vector<LabelCaption> summaryCaptions(AnalysisState &state, std::size_t downloaders,
                                          std::size_t files, std::size_t folders,
                                          const NumberFormat &format)
{
    const double n = static_cast<double>(downloaders);
    const double f = static_cast<double>(files);
    const double lines = static_cast<double>(state.LineCount);
    std::vector<LabelCaption> labels;
    auto add = [&](const char *label, std::string caption) { labels.push_back({label, std::move(caption)}); };

    add("Label1", "Total Uploads : " + signSpaced(lines));
    add("Label4", "Total Uploaders : " + signSpaced(n));
    add("Label7", "Different files uploaded : " + signSpaced(f));
    add("Label12", "Different folders accessed : " + signSpaced(static_cast<double>(folders)));
    add("Label6", "Average Uploads / Person : " + formatPattern(lines / n, Pattern::PointTwo, format));
    add("Label13", "Average accesses / Folder : "
                       + formatPattern(state.TotalFolderAccesses / static_cast<double>(state.FolderCount),
                                       Pattern::PointTwo, format));
    add("Label10", "Average Uploads / File: " + formatPattern(lines / f, Pattern::TwoDecimals, format));
    add("Label11", sizeTotal(state.TotalMegabytes));
    add("Label14", timeCaption("Total Upload Time : ", static_cast<double>(state.TimeHours),
                               static_cast<double>(state.TimeMinutes), signSpaced(state.TimeSeconds)));

    // The total upload time in seconds.
    state.TimeSeconds += 60.0 * static_cast<double>(state.TimeMinutes) + 3600.0 * static_cast<double>(state.TimeHours);
    state.TimeMinutes = 0;
    state.TimeHours = 0;
    const double s = state.TimeSeconds;

    add("Label15", s == 0 ? std::string("Average Upload Speed / File : n/a")
                          : "Average Upload Speed / File : "
                                + formatPattern(state.TotalMegabytes / s, Pattern::TwoDecimals, format) + " MB/s");
    add("Label16", "Average Upload Time / File : " + formatPattern(s / lines, Pattern::TwoDecimals, format) + " s");
    add("Label17", "Average MB's Uploaded / Person : "
                       + formatPattern(state.TotalMegabytes / n, Pattern::TwoDecimals, format) + " Mb");
    const double realUploads = lines - static_cast<double>(state.DcLstUploads) - static_cast<double>(state.Bz2ListUploads);
    add("Label19", "Average Filesize / File : "
                       + formatPattern((state.TotalMegabytes - state.MyListMegabytes) / realUploads,
                                       Pattern::TwoDecimals, format)
                       + " MB (MyLists not included)");

    // The average upload time per downloader, broken into hours, minutes and seconds.
    double average = s / n;
    double minutes = 0;
    if (average >= 60) {
        const double rest = std::fmod(average, 60.0);
        minutes = (average - rest) / 60;
        average = rest;
    }
    const double hours = std::floor(minutes / 60);
    minutes -= hours * 60;
    state.TimeHours = static_cast<std::int64_t>(hours);
    state.TimeMinutes = static_cast<std::int64_t>(minutes);
    state.TimeSeconds = average;
    add("Label18", timeCaption("Average Upload time / Person : ", hours, minutes,
                               formatPattern(average, Pattern::PointOne, format)));
    return labels;
}

} // namespace varnoth
