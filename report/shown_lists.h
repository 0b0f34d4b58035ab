#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis_report.h"
#include "forms/number_format.h"
#include "report_request.h"

namespace varnoth {

// A ranked list as a person reads it in the text and HTML reports: the
// window's column headers and cell texts (a file without the blank that ends
// it), at most `top` rows, each made when a writer asks for it.
struct ShownList {
    ReportList list;
    const char *title;
    std::vector<const char *> headers;
    std::vector<bool> numeric; // columns of numbers and times, aligned right
    std::size_t shown = 0;     // rows shown
    std::size_t total = 0;     // rows of the whole list
    // Puts the cell texts of one shown row into cells (replacing what was there).
    std::function<void(std::size_t row, std::vector<std::string> &cells)> rowCells;
};

// "(20 of 250)" when the list shows fewer rows than it has, empty otherwise.
std::string shownCount(const ShownList &list);

// Top Downloaders, Most Downloaded files, Most Accessed Folders. The report
// must outlive the lists.
std::vector<ShownList> shownLists(const AnalysisReport &report, const NumberFormat &format, std::size_t top);

} // namespace varnoth
