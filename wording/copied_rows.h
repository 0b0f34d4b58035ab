#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "grid_rows.h"

namespace varnoth {

// Rows of a list as a spreadsheet takes them from the clipboard: the header
// line, then the given rows, cells separated by a tab, each line ended by a
// line feed. Cells keep their exact text; one that holds a tab or a line
// break, or starts with a double quote, is put in double quotes with its
// quotes doubled, so that it stays one cell.
std::string tabSeparatedRows(const std::vector<std::string> &header, const GridRows &rows,
                             const std::vector<std::size_t> &which);

} // namespace varnoth
