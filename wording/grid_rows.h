#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace varnoth {

// The data rows of a grid (its header row apart) as cell texts, row by row.
struct GridRows {
    std::size_t columns = 0;
    std::vector<std::string> cells;

    explicit GridRows(std::size_t columnCount = 0)
        : columns(columnCount)
    {
    }

    std::size_t rowCount() const { return columns == 0 ? 0 : cells.size() / columns; }
    const std::string &cell(std::size_t row, std::size_t column) const { return cells[row * columns + column]; }
    std::string &cell(std::size_t row, std::size_t column) { return cells[row * columns + column]; }

    // Rearranges the rows so that row i becomes the former row order[i].
    void reorder(const std::vector<std::uint32_t> &order);
};

} // namespace varnoth
