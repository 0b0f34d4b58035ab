#include "result_cells.h"

#include "forms/number_forms.h"

namespace varnoth {
namespace {

std::string twoDigits(std::int64_t value)
{
    return formatPattern(static_cast<double>(value), Pattern::TwoDigits, NumberFormat::c());
}

// One row of cells per row, written by addCells.
template <class Row, class AddCells>
GridRows cellsOf(const std::vector<Row> &rows, std::size_t columns, AddCells addCells)
{
    GridRows grid(columns);
    grid.cells.reserve(rows.size() * columns);
    for (const Row &row : rows)
        addCells(row, grid.cells);
    return grid;
}

} // namespace

std::string uploadTimeText(const UploadTime &time)
{
    return twoDigits(time.hours) + ":" + twoDigits(time.minutes) + ":" + twoDigits(time.seconds);
}

GridRows downloaderCells(const std::vector<DownloaderRow> &rows, const NumberFormat &format)
{
    return cellsOf(rows, 4, [&](const DownloaderRow &row, std::vector<std::string> &cells) {
        cells.push_back(row.nick);
        cells.push_back(plainDecimal(row.uploads));
        cells.push_back(formatPattern(row.megabytes, Pattern::Megabytes, format));
        cells.push_back(uploadTimeText(row.uploadTime));
    });
}

GridRows folderCells(const std::vector<FolderRow> &rows)
{
    return cellsOf(rows, 2, [](const FolderRow &row, std::vector<std::string> &cells) {
        cells.emplace_back(row.folder);
        cells.push_back(plainDecimal(row.accesses));
    });
}

GridRows fileCells(const std::vector<FileRow> &rows)
{
    return cellsOf(rows, 2, [](const FileRow &row, std::vector<std::string> &cells) {
        cells.emplace_back(row.file);
        cells.push_back(plainDecimal(row.uploads));
    });
}

GridRows personalCells(const std::vector<PersonalUpload> &rows, const NumberFormat &format)
{
    return cellsOf(rows, 3, [&](const PersonalUpload &row, std::vector<std::string> &cells) {
        cells.push_back(row.file);
        cells.push_back(formatPattern(row.megabytes, Pattern::TwoDecimals, format));
        cells.push_back(row.duration);
    });
}

GridRows fileUploadCells(const std::vector<FileUpload> &rows)
{
    return cellsOf(rows, 3, [](const FileUpload &row, std::vector<std::string> &cells) {
        cells.push_back(row.nick);
        cells.push_back(row.duration);
        cells.push_back(row.dateTime);
    });
}

} // namespace varnoth
