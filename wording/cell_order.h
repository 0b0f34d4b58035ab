#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "forms/number_format.h"
#include "grid_rows.h"

namespace varnoth {

// The generic grid sorts: code 1 ascending, code 2 descending.
enum class SortOrder { Ascending = 1, Descending = 2 };

// What a cell holds for sorting: a number in the user's format, a duration
// (H:MM:SS, any number of hour digits), or other text.
struct CellKey {
    enum class Kind : std::uint8_t { Number, Duration, Text };
    Kind kind = Kind::Text;
    double value = 0;
    std::string_view text;
};

CellKey cellKey(std::string_view text, const NumberFormat &format);

// Two cells compare as numbers when both hold numbers, as durations when both
// hold durations, and otherwise as text, character by character. Returns <0, 0, >0.
int compareCells(const CellKey &a, const CellKey &b);

// The order in which the rows of a grid stand after a generic sort on the
// columns first..last, left to right: order[i] is the row that comes i-th.
// The sort is stable (rows with equal keys keep their order) and stays a
// plain permutation even for cells whose comparisons do not agree with one
// another.
std::vector<std::uint32_t> sortedOrder(const GridRows &rows, std::size_t firstColumn, std::size_t lastColumn,
                                       SortOrder order, const NumberFormat &format);

// Sorts the rows in place by sortedOrder.
void sortRows(GridRows &rows, std::size_t firstColumn, std::size_t lastColumn, SortOrder order,
              const NumberFormat &format);

} // namespace varnoth
