#include "result_cells.h"

#include "forms/number_forms.h"

namespace varnoth {
namespace {

std::string twoDigits(std::int64_t value)
{
    return formatPattern(static_cast<double>(value), Pattern::TwoDigits, NumberFormat::c());
}

} // namespace

std::string uploadTimeText(const UploadTime &time)
{
    return twoDigits(time.hours) + ":" + twoDigits(time.minutes) + ":" + twoDigits(time.seconds);
}

GridRows downloaderCells(const std::vector<DownloaderRow> &rows, const NumberFormat &format)
{
    GridRows cells(4);
    cells.cells.reserve(rows.size() * 4);
    for (const DownloaderRow &row : rows) {
        cells.cells.push_back(row.nick);
        cells.cells.push_back(plainDecimal(row.uploads));
        cells.cells.push_back(formatPattern(row.megabytes, Pattern::Megabytes, format));
        cells.cells.push_back(uploadTimeText(row.uploadTime));
    }
    return cells;
}

GridRows folderCells(const std::vector<FolderRow> &rows)
{
    GridRows cells(2);
    cells.cells.reserve(rows.size() * 2);
    for (const FolderRow &row : rows) {
        cells.cells.push_back(row.folder);
        cells.cells.push_back(plainDecimal(row.accesses));
    }
    return cells;
}

GridRows fileCells(const std::vector<FileRow> &rows)
{
    GridRows cells(2);
    cells.cells.reserve(rows.size() * 2);
    for (const FileRow &row : rows) {
        cells.cells.push_back(row.file);
        cells.cells.push_back(plainDecimal(row.uploads));
    }
    return cells;
}

GridRows personalCells(const std::vector<PersonalUpload> &rows, const NumberFormat &format)
{
    GridRows cells(3);
    cells.cells.reserve(rows.size() * 3);
    for (const PersonalUpload &row : rows) {
        cells.cells.push_back(row.file);
        cells.cells.push_back(formatPattern(row.megabytes, Pattern::TwoDecimals, format));
        cells.cells.push_back(row.duration);
    }
    return cells;
}

GridRows fileUploadCells(const std::vector<FileUpload> &rows)
{
    GridRows cells(3);
    cells.cells.reserve(rows.size() * 3);
    for (const FileUpload &row : rows) {
        cells.cells.push_back(row.nick);
        cells.cells.push_back(row.duration);
        cells.cells.push_back(row.dateTime);
    }
    return cells;
}

} // namespace varnoth
