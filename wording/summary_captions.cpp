#include "summary_captions.h"

#include <cmath>

#include "forms/number_forms.h"

namespace varnoth {
namespace {

// The decimals each figure is shown with; the captions and the figures read them here.
constexpr Pattern uploadsPerPersonPattern = Pattern::PointTwo;
constexpr Pattern accessesPerFolderPattern = Pattern::PointTwo;
constexpr Pattern uploadsPerFilePattern = Pattern::TwoDecimals;
constexpr Pattern speedPattern = Pattern::TwoDecimals;
constexpr Pattern uploadTimePerFilePattern = Pattern::TwoDecimals;
constexpr Pattern megabytesPerPersonPattern = Pattern::TwoDecimals;
constexpr Pattern filesizePattern = Pattern::TwoDecimals;
constexpr Pattern secondsPerPersonPattern = Pattern::PointOne;
constexpr Pattern totalMegabytesPattern = Pattern::PointTwo;
constexpr Pattern totalGigabytesPattern = Pattern::PointThree;

// Above 10000 megabytes the size total is shown in gigabytes.
bool totalInGigabytes(double megabytes)
{
    return megabytes > 10000;
}

// A value brought to `pattern`'s decimals (halves away from zero), then
// written in the sign-spaced form: 1234.5 gives " 1234.5", 999.996 gives " 1000".
std::string roundedSignSpaced(double value, Pattern pattern)
{
    return signSpaced(shownValue(value, pattern));
}

std::string sizeTotal(double megabytes)
{
    if (totalInGigabytes(megabytes))
        return "Total GB's Uploaded :" + roundedSignSpaced(megabytes / 1000, totalGigabytesPattern) + " GB";
    return "Total MB's Uploaded :" + roundedSignSpaced(megabytes, totalMegabytesPattern);
}

// The sign-spaced form of a whole number, all of its digits whatever its
// size: " 1234", "-5".
std::string whole(const WideInteger &value)
{
    return value.negative() ? value.text() : " " + value.text();
}

std::string count(std::int64_t value)
{
    return whole(value);
}

std::string timeCaption(const char *prefix, const WideInteger &hours, std::int64_t minutes, const std::string &seconds)
{
    return std::string(prefix) + whole(hours) + "h " + whole(minutes) + "m " + seconds + "s ";
}

} // namespace

BrokenTime averageTime(const UploadTime &total, std::int64_t count)
{
    BrokenTime t;
    WideInteger seconds = total.exactSeconds();
    if (count < 1 || seconds.negative()) {
        t.seconds = total.totalSeconds() / static_cast<double>(count);
        return t;
    }
    const auto divisor = static_cast<std::uint64_t>(count);
    const std::uint64_t fraction = seconds.divideBy(divisor); // of a second, in 1/count
    const std::uint64_t wholeSeconds = seconds.divideBy(60);
    t.minutes = static_cast<std::int64_t>(seconds.divideBy(60));
    t.hours = seconds;
    t.seconds = static_cast<double>(wholeSeconds) + static_cast<double>(fraction) / static_cast<double>(divisor);
    return t;
}

SummaryCaptions summaryCaptions(const Summary &s, const NumberFormat &format)
{
    auto pattern = [&](double value, Pattern p) { return formatPattern(value, p, format); };
    const UploadTime &total = s.totalUploadTime;
    const auto speed = s.averageSpeedMegabytesPerSecond();
    const BrokenTime perPerson = averageTime(total, s.totalUploaders);

    SummaryCaptions c;
    c.totalUploads = "Total Uploads : " + count(s.totalUploads);
    c.totalUploaders = "Total Uploaders : " + count(s.totalUploaders);
    c.differentFiles = "Different files uploaded : " + count(s.differentFiles);
    c.differentFolders = "Different folders accessed : " + count(s.differentFolders);
    c.averageUploadsPerPerson =
        "Average Uploads / Person : " + pattern(s.averageUploadsPerPerson(), uploadsPerPersonPattern);
    c.averageAccessesPerFolder =
        "Average accesses / Folder : " + pattern(s.averageAccessesPerFolder(), accessesPerFolderPattern);
    c.averageUploadsPerFile = "Average Uploads / File: " + pattern(s.averageUploadsPerFile(), uploadsPerFilePattern);
    c.totalSize = sizeTotal(s.totalMegabytes);
    c.totalUploadTime = timeCaption("Total Upload Time : ", total.hours, total.minutes, count(total.seconds));
    c.averageSpeed = speed ? "Average Upload Speed / File : " + pattern(*speed, speedPattern) + " MB/s"
                           : std::string("Average Upload Speed / File : n/a");
    c.averageUploadTimePerFile =
        "Average Upload Time / File : " + pattern(s.averageUploadSecondsPerFile(), uploadTimePerFilePattern) + " s";
    c.averageMegabytesPerPerson =
        "Average MB's Uploaded / Person : " + pattern(s.averageMegabytesPerPerson(), megabytesPerPersonPattern) + " Mb";
    c.averageFilesize = "Average Filesize / File : " + pattern(s.averageFilesizeMegabytes(), filesizePattern) +
                        " MB (MyLists not included)";
    c.averageUploadTimePerPerson = timeCaption("Average Upload time / Person : ", perPerson.hours, perPerson.minutes,
                                               pattern(perPerson.seconds, secondsPerPersonPattern));
    return c;
}

SummaryFigures summaryFigures(const Summary &s)
{
    SummaryFigures f;
    f.totalUploads = s.totalUploads;
    f.totalUploaders = s.totalUploaders;
    f.differentFiles = s.differentFiles;
    f.differentFolders = s.differentFolders;
    f.totalMegabytes = totalInGigabytes(s.totalMegabytes)
                           ? std::round(shownValue(s.totalMegabytes / 1000, totalGigabytesPattern) * 1000)
                           : shownValue(s.totalMegabytes, totalMegabytesPattern);
    f.totalUploadSeconds = s.totalUploadTime.exactSeconds();
    f.averageUploadsPerPerson = shownValue(s.averageUploadsPerPerson(), uploadsPerPersonPattern);
    f.averageMegabytesPerPerson = shownValue(s.averageMegabytesPerPerson(), megabytesPerPersonPattern);
    // Whole hours and minutes, seconds to the tenth: the whole average to the tenth.
    f.averageUploadSecondsPerPerson = shownValue(s.averageUploadSecondsPerPerson(), secondsPerPersonPattern);
    f.averageUploadsPerFile = shownValue(s.averageUploadsPerFile(), uploadsPerFilePattern);
    f.averageAccessesPerFolder = shownValue(s.averageAccessesPerFolder(), accessesPerFolderPattern);
    if (const auto speed = s.averageSpeedMegabytesPerSecond())
        f.averageSpeedMegabytesPerSecond = shownValue(*speed, speedPattern);
    f.averageUploadSecondsPerFile = shownValue(s.averageUploadSecondsPerFile(), uploadTimePerFilePattern);
    f.averageFilesizeMegabytes = shownValue(s.averageFilesizeMegabytes(), filesizePattern);
    return f;
}

std::vector<std::string> captionLines(const SummaryCaptions &c)
{
    return {c.totalUploads,
            c.totalUploaders,
            c.differentFiles,
            c.differentFolders,
            c.averageUploadsPerPerson,
            c.averageAccessesPerFolder,
            c.averageUploadsPerFile,
            c.totalSize,
            c.totalUploadTime,
            c.averageSpeed,
            c.averageUploadTimePerFile,
            c.averageMegabytesPerPerson,
            c.averageFilesize,
            c.averageUploadTimePerPerson};
}

} // namespace varnoth
