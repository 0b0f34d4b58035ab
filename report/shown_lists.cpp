#include "shown_lists.h"

#include <algorithm>

#include "report_table.h"
#include "wording/list_headers.h"
#include "wording/result_cells.h"

namespace varnoth {
namespace {

template <std::size_t N> std::vector<const char *> headersOf(const std::array<const char *, N> &headers)
{
    return std::vector<const char *>(headers.begin(), headers.end());
}

} // namespace

std::string shownCount(const ShownList &list)
{
    if (list.shown >= list.total)
        return {};
    return "(" + std::to_string(list.shown) + " of " + std::to_string(list.total) + ")";
}

std::vector<ShownList> shownLists(const AnalysisReport &report, const NumberFormat &format, std::size_t top)
{
    std::vector<ShownList> lists;
    lists.push_back({ReportList::Downloaders,
                     "Top Downloaders",
                     headersOf(downloaderHeaders),
                     {false, true, true, true},
                     std::min(top, report.downloaders.size()),
                     report.downloaders.size(),
                     [&report, format](std::size_t row, std::vector<std::string> &cells) {
                         cells.clear();
                         addDownloaderCells(report.downloaders[row], format, cells);
                     }});
    lists.push_back({ReportList::Files,
                     "Most Downloaded files",
                     headersOf(fileHeaders),
                     {false, true},
                     std::min(top, report.files.size()),
                     report.files.size(),
                     [&report](std::size_t row, std::vector<std::string> &cells) {
                         cells.clear();
                         addFileCells(report.files[row], cells);
                         cells[0] = fileText(report.files[row]);
                     }});
    lists.push_back({ReportList::Folders,
                     "Most Accessed Folders",
                     headersOf(folderHeaders),
                     {false, true},
                     std::min(top, report.folders.size()),
                     report.folders.size(),
                     [&report](std::size_t row, std::vector<std::string> &cells) {
                         cells.clear();
                         addFolderCells(report.folders[row], cells);
                     }});
    return lists;
}

} // namespace varnoth
