#include "summary_captions.h"

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

std::string count(std::int64_t value)
{
    return signSpaced(static_cast<double>(value));
}

} // namespace

BrokenTime breakSeconds(double seconds)
{
    BrokenTime t;
    t.seconds = seconds;
    if (t.seconds >= 60) {
        const double rest = std::fmod(t.seconds, 60.0);
        t.minutes = (t.seconds - rest) / 60;
        t.seconds = rest;
    }
    t.hours = std::floor(t.minutes / 60);
    t.minutes -= t.hours * 60;
    return t;
}

SummaryCaptions summaryCaptions(const Summary &s, const NumberFormat &format)
{
    auto pattern = [&](double value, Pattern p) { return formatPattern(value, p, format); };
    const UploadTime &total = s.totalUploadTime;
    const auto speed = s.averageSpeedMegabytesPerSecond();
    const BrokenTime perPerson = breakSeconds(s.averageUploadSecondsPerPerson());

    SummaryCaptions c;
    c.totalUploads = "Total Uploads : " + count(s.totalUploads);
    c.totalUploaders = "Total Uploaders : " + count(s.totalUploaders);
    c.differentFiles = "Different files uploaded : " + count(s.differentFiles);
    c.differentFolders = "Different folders accessed : " + count(s.differentFolders);
    c.averageUploadsPerPerson = "Average Uploads / Person : " + pattern(s.averageUploadsPerPerson(), Pattern::PointTwo);
    c.averageAccessesPerFolder =
        "Average accesses / Folder : " + pattern(s.averageAccessesPerFolder(), Pattern::PointTwo);
    c.averageUploadsPerFile = "Average Uploads / File: " + pattern(s.averageUploadsPerFile(), Pattern::TwoDecimals);
    c.totalSize = sizeTotal(s.totalMegabytes);
    c.totalUploadTime = timeCaption("Total Upload Time : ", static_cast<double>(total.hours),
                                    static_cast<double>(total.minutes), count(total.seconds));
    c.averageSpeed = speed ? "Average Upload Speed / File : " + pattern(*speed, Pattern::TwoDecimals) + " MB/s"
                           : std::string("Average Upload Speed / File : n/a");
    c.averageUploadTimePerFile =
        "Average Upload Time / File : " + pattern(s.averageUploadSecondsPerFile(), Pattern::TwoDecimals) + " s";
    c.averageMegabytesPerPerson =
        "Average MB's Uploaded / Person : " + pattern(s.averageMegabytesPerPerson(), Pattern::TwoDecimals) + " Mb";
    c.averageFilesize = "Average Filesize / File : " + pattern(s.averageFilesizeMegabytes(), Pattern::TwoDecimals) +
                        " MB (MyLists not included)";
    c.averageUploadTimePerPerson = timeCaption("Average Upload time / Person : ", perPerson.hours, perPerson.minutes,
                                               pattern(perPerson.seconds, Pattern::PointOne));
    return c;
}

} // namespace varnoth
