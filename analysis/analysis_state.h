#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "name_index.h"

namespace varnoth {

// The window-level state that the analysis fills and the result views read.
// Lists are parallel, one entry per distinct nick, path or folder in order of
// first appearance; each is looked up through its hash index. Every count
// and time total is 64-bit.
struct AnalysisState {
    // Run control and settings.
    double TotalLinesAnalyzed = 0;
    std::string SettingsHeader;
    std::int64_t LineCount = 0;      // upload lines of the log (blank lines not counted)
    std::int64_t LinesCompleted = 0; // lines parsed so far

    // Running totals.
    double TotalMegabytes = 0;
    double MyListMegabytes = 0;
    std::int64_t DcLstUploads = 0;
    std::int64_t Bz2ListUploads = 0;

    // Downloader tally.
    std::int64_t DownloaderCount = 0;
    std::vector<std::string> DownloaderNames;
    std::vector<std::int64_t> DownloaderUploads;
    std::vector<double> DownloaderMegabytes;
    std::vector<std::int64_t> DownloaderHours;
    std::vector<std::int64_t> DownloaderMinutes;
    std::vector<std::int64_t> DownloaderSeconds;

    // File and folder tallies.
    std::int64_t FileCount = 0;
    std::vector<std::string> FileNames;
    std::vector<std::int64_t> FileUploads;
    std::int64_t FolderCount = 0;
    std::vector<std::string> FolderNames;
    std::vector<std::int64_t> FolderAccesses;
    double TotalFolderAccesses = 0;

    // Total upload time while grid1 is filled; afterwards the average per downloader.
    std::int64_t TimeHours = 0;
    std::int64_t TimeMinutes = 0;
    double TimeSeconds = 0;

    // Order of each sortable grid's next click sort: 0 = descending, 1 = ascending.
    int Grid1SortToggle = 0;
    int Grid4SortToggle = 0;
    int Grid5SortToggle = 0;

    NameIndex DownloaderIndex;
    NameIndex FileIndex;
    NameIndex FolderIndex;
};

} // namespace varnoth
