#include "result_cells.h"

#include "forms/number_forms.h"

namespace varnoth {
namespace {

// The pattern "00" on a whole number, exact however large: 5 gives "05".
std::string twoDigits(std::int64_t value)
{
    std::string text = plainDecimal(value);
    if (text.size() - (value < 0 ? 1 : 0) < 2)
        text.insert(value < 0 ? 1 : 0, "0");
    return text;
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

void addDownloaderCells(const DownloaderRow &row, const NumberFormat &format, std::vector<std::string> &cells)
{
    cells.push_back(row.nick);
    cells.push_back(plainDecimal(row.uploads));
    cells.push_back(formatPattern(row.megabytes, Pattern::Megabytes, format));
    cells.push_back(uploadTimeText(row.uploadTime));
}

void addFolderCells(const FolderRow &row, std::vector<std::string> &cells)
{
    cells.emplace_back(row.folder);
    cells.push_back(plainDecimal(row.accesses));
}

void addFileCells(const FileRow &row, std::vector<std::string> &cells)
{
    cells.emplace_back(row.file);
    cells.push_back(plainDecimal(row.uploads));
}

GridRows downloaderCells(const std::vector<DownloaderRow> &rows, const NumberFormat &format)
{
    return cellsOf(rows, 4, [&](const DownloaderRow &row, std::vector<std::string> &cells) {
        addDownloaderCells(row, format, cells);
    });
}

GridRows folderCells(const std::vector<FolderRow> &rows)
{
    return cellsOf(rows, 2, addFolderCells);
}

GridRows fileCells(const std::vector<FileRow> &rows)
{
    return cellsOf(rows, 2, addFileCells);
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
