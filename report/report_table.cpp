#include "report_table.h"

#include <algorithm>

#include "forms/number_forms.h"
#include "json_text.h"
#include "wording/result_cells.h"
#include "wording/summary_captions.h"

namespace varnoth {
namespace {

// The first `top` rows of a list, each made by cells(row, index, cells).
template <class Rows, class Cells>
ReportTable tableOf(std::vector<const char *> fields, const Rows &rows, std::size_t top, Cells cells)
{
    return {std::move(fields), std::min(top, rows.size()),
            [&rows, cells](std::size_t row, std::vector<ReportCell> &out) { cells(rows[row], row, out); }};
}

void setActivityCells(std::vector<ReportCell> &cells, ReportCell when, const ActivityCount &c)
{
    cells = {std::move(when), ReportCell::countCell(c.uploads), ReportCell::numberCell(c.bytes),
             ReportCell::numberCell(c.seconds)};
}

} // namespace

ReportCell ReportCell::numberCell(double value)
{
    return {Kind::Number, json::number(value)};
}

std::string_view fileText(const FileRow &row)
{
    std::string_view text = row.file;
    if (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

ReportTable listTable(const AnalysisReport &report, ReportList list, std::size_t top)
{
    switch (list) {
    case ReportList::Downloaders:
        return tableOf({"nick", "uploads", "megabytes", "upload_time", "upload_seconds"}, report.downloaders, top,
                       [](const DownloaderRow &row, std::size_t, std::vector<ReportCell> &cells) {
                           cells = {ReportCell::textCell(row.nick), ReportCell::countCell(row.uploads),
                                    ReportCell::numberCell(shownValue(row.megabytes, Pattern::Megabytes)),
                                    ReportCell::textCell(uploadTimeText(row.uploadTime)),
                                    ReportCell::countCell(row.uploadTime.exactSeconds())};
                       });
    case ReportList::Files:
        return tableOf({"file", "uploads"}, report.files, top,
                       [](const FileRow &row, std::size_t, std::vector<ReportCell> &cells) {
                           cells = {ReportCell::textCell(fileText(row)), ReportCell::countCell(row.uploads)};
                       });
    case ReportList::Folders:
        return tableOf({"folder", "accesses"}, report.folders, top,
                       [](const FolderRow &row, std::size_t, std::vector<ReportCell> &cells) {
                           cells = {ReportCell::textCell(row.folder), ReportCell::countCell(row.accesses)};
                       });
    case ReportList::Days:
        return dayTable(report.activity);
    case ReportList::Hours:
        break;
    }
    return hourTable(report.activity);
}

ReportTable dayTable(const Activity &activity)
{
    return tableOf({"date", "uploads", "bytes", "seconds"}, activity.days, activity.days.size(),
                   [](const DayActivity &day, std::size_t, std::vector<ReportCell> &cells) {
                       setActivityCells(cells, ReportCell::textCell(day.date.text()), day.count);
                   });
}

ReportTable hourTable(const Activity &activity)
{
    return tableOf({"hour", "uploads", "bytes", "seconds"}, activity.hours, activity.hours.size(),
                   [](const ActivityCount &c, std::size_t hour, std::vector<ReportCell> &cells) {
                       setActivityCells(cells, ReportCell::countCell(static_cast<std::int64_t>(hour)), c);
                   });
}

ReportTable summaryTable(const Summary &summary)
{
    return {{"total_uploads", "total_uploaders", "total_megabytes", "total_upload_seconds", "different_files",
             "different_folders", "average_uploads_per_person", "average_megabytes_per_person",
             "average_upload_seconds_per_person", "average_uploads_per_file", "average_accesses_per_folder",
             "average_speed_mb_per_second", "average_upload_seconds_per_file", "average_filesize_mb"},
            1,
            [&summary](std::size_t, std::vector<ReportCell> &cells) {
                const SummaryFigures f = summaryFigures(summary);
                const auto number = ReportCell::numberCell;
                const auto count = ReportCell::countCell;
                cells = {count(f.totalUploads),
                         count(f.totalUploaders),
                         number(f.totalMegabytes),
                         count(f.totalUploadSeconds),
                         count(f.differentFiles),
                         count(f.differentFolders),
                         number(f.averageUploadsPerPerson),
                         number(f.averageMegabytesPerPerson),
                         number(f.averageUploadSecondsPerPerson),
                         number(f.averageUploadsPerFile),
                         number(f.averageAccessesPerFolder),
                         f.averageSpeedMegabytesPerSecond ? number(*f.averageSpeedMegabytesPerSecond)
                                                          : ReportCell::nothing(),
                         number(f.averageUploadSecondsPerFile),
                         number(f.averageFilesizeMegabytes)};
            }};
}

} // namespace varnoth
