#pragma once

#include <string>
#include <string_view>

#include "analysis/grid_rows.h"

namespace varnoth::bench {

// A JSON string literal for UTF-8 text.
std::string jsonString(std::string_view text);

// The rows of a grid as a JSON list of lists of cell texts.
std::string jsonRows(const GridRows &rows);

} // namespace varnoth::bench
