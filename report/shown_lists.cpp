#include "shown_lists.h"

#include <algorithm>

#include "wording/list_headers.h"
#include "wording/result_cells.h"
#include "report_table.h"

namespace varnoth {
namespace {

template <class Row> std::vector<Row> firstRows(const std::vector<Row> &rows, std::size_t top)
{
    return std::vector<Row>(rows.begin(), rows.begin() + static_cast<long>(std::min(top, rows.size())));
}

template <std::size_t N> std::vector<const char *> headersOf(const std::array<const char *, N> &headers)
{
    return std::vector<const char *>(headers.begin(), headers.end());
}

} // namespace

std::string shownCount(const ShownList &list)
{
    if (list.rows.rowCount() >= list.total)
        return {};
    return "(" + std::to_string(list.rows.rowCount()) + " of " + std::to_string(list.total) + ")";
}

std::vector<ShownList> shownLists(const AnalysisReport &report, const NumberFormat &format, std::size_t top)
{
    std::vector<ShownList> lists;
    lists.push_back({ReportList::Downloaders,
                     "Top Downloaders",
                     headersOf(downloaderHeaders),
                     {false, true, true, true},
                     downloaderCells(firstRows(report.downloaders, top), format),
                     report.downloaders.size()});

    const std::vector<FileRow> files = firstRows(report.files, top);
    GridRows fileGrid = fileCells(files);
    for (std::size_t row = 0; row < files.size(); ++row)
        fileGrid.cell(row, 0) = std::string(fileText(files[row]));
    lists.push_back({ReportList::Files,
                     "Most Downloaded files",
                     headersOf(fileHeaders),
                     {false, true},
                     std::move(fileGrid),
                     report.files.size()});

    lists.push_back({ReportList::Folders,
                     "Most Accessed Folders",
                     headersOf(folderHeaders),
                     {false, true},
                     folderCells(firstRows(report.folders, top)),
                     report.folders.size()});
    return lists;
}

} // namespace varnoth
