#include "summary.h"

#include "forms/number_reading.h"
#include "upload_time_log.h"

namespace varnoth {
namespace {

double ratio(double a, std::int64_t b)
{
    return a / static_cast<double>(b);
}

double ratio(std::int64_t a, std::int64_t b)
{
    return static_cast<double>(a) / static_cast<double>(b);
}

} // namespace

Summary summarize(const AnalysisReport &report, std::int64_t fileListUploads, double fileListMegabytes,
                  double totalMegabytes)
{
    Summary s;
    s.totalUploads = report.lineCount;
    s.totalUploaders = static_cast<std::int64_t>(report.downloaders.size());
    s.differentFiles = static_cast<std::int64_t>(report.files.size());
    s.differentFolders = static_cast<std::int64_t>(report.folders.size());
    for (const FolderRow &folder : report.folders)
        s.totalFolderAccesses = checkedAdd(s.totalFolderAccesses, folder.accesses);
    s.fileListUploads = fileListUploads;
    s.totalMegabytes = totalMegabytes;
    s.fileListMegabytes = fileListMegabytes;

    UploadTime &total = s.totalUploadTime;
    for (const DownloaderRow &d : report.downloaders)
        addCarryingOnce(total, d.uploadTime, [](std::int64_t a, std::int64_t b) { return checkedAdd(a, b); });
    return s;
}

double Summary::averageUploadsPerPerson() const
{
    return ratio(totalUploads, totalUploaders);
}

double Summary::averageAccessesPerFolder() const
{
    return ratio(totalFolderAccesses, differentFolders);
}

double Summary::averageUploadsPerFile() const
{
    return ratio(totalUploads, differentFiles);
}

std::optional<double> Summary::averageSpeedMegabytesPerSecond() const
{
    const double seconds = totalUploadSeconds();
    if (seconds == 0)
        return std::nullopt;
    return totalMegabytes / seconds;
}

double Summary::averageUploadSecondsPerFile() const
{
    return ratio(totalUploadSeconds(), totalUploads);
}

double Summary::averageMegabytesPerPerson() const
{
    return ratio(totalMegabytes, totalUploaders);
}

double Summary::averageFilesizeMegabytes() const
{
    return ratio(totalMegabytes - fileListMegabytes, totalUploads - fileListUploads);
}

double Summary::averageUploadSecondsPerPerson() const
{
    return ratio(totalUploadSeconds(), totalUploaders);
}

} // namespace varnoth
