#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "activity.h"
#include "calendar_date.h"
#include "forms/wide_integer.h"

namespace varnoth {

// Upload time as hours, minutes and seconds. Sums carry at 60 as they go, so
// minutes and seconds are below 60 except where a downloader's first upload
// brought more (it is stored as it comes).
struct UploadTime {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
    std::int64_t seconds = 0;

    double totalSeconds() const
    {
        return 3600.0 * static_cast<double>(hours) + 60.0 * static_cast<double>(minutes) + static_cast<double>(seconds);
    }
    // The same, exact however many the hours.
    WideInteger exactSeconds() const { return WideInteger(hours).multiplyAdd(60, minutes).multiplyAdd(60, seconds); }
};

struct DownloaderRow {
    std::string nick;
    std::int64_t uploads = 0;
    double megabytes = 0; // bytes / 1,000,000
    UploadTime uploadTime;
};

// File and folder rows view texts that the report keeps (AnalysisReport::names).
struct FileRow {
    std::string_view file; // the path as logged, with the blank that ends it
    std::int64_t uploads = 0;
};

struct FolderRow {
    std::string_view folder; // the path before its last separator
    std::int64_t accesses = 0;
};

// The figures of the summary. Averages divide by counts that a completed run
// guarantees to be at least 1.
struct Summary {
    std::int64_t totalUploads = 0;   // upload lines analysed, file lists included
    std::int64_t totalUploaders = 0; // distinct nicks
    std::int64_t differentFiles = 0; // ranked file rows, file-list rows included
    std::int64_t differentFolders = 0;
    std::int64_t totalFolderAccesses = 0;
    std::int64_t fileListUploads = 0;
    double totalMegabytes = 0;
    double fileListMegabytes = 0;
    UploadTime totalUploadTime; // carried at 60 over the downloaders in first-appearance order

    double totalUploadSeconds() const { return totalUploadTime.totalSeconds(); }
    double averageUploadsPerPerson() const;
    double averageAccessesPerFolder() const;
    double averageUploadsPerFile() const;
    // Nothing when the uploads took no time at all.
    std::optional<double> averageSpeedMegabytesPerSecond() const;
    double averageUploadSecondsPerFile() const;
    double averageMegabytesPerPerson() const;
    double averageFilesizeMegabytes() const; // file lists not included
    double averageUploadSecondsPerPerson() const;
};

// Everything a completed analysis found, ranked as the lists show it: most
// uploads first; downloaders then by megabytes (as shown, to two decimals)
// and upload time; equal rows in order of first appearance in the log.
struct AnalysisReport {
    std::int64_t lineCount = 0; // upload lines analysed (blank lines not counted)
    std::vector<DownloaderRow> downloaders;
    std::vector<FolderRow> folders;
    std::vector<FileRow> files; // the client's file lists as rows of their own
    Summary summary;
    Activity activity;
    DateRange range; // the range the run was narrowed to
    // The texts of the file and folder rows, each stored once: a log can
    // name millions of files.
    std::shared_ptr<const void> names;
};

} // namespace varnoth
