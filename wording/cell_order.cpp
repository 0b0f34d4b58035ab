#include "cell_order.h"

#include <algorithm>
#include <utility>

#include "analysis/duration.h"
#include "forms/number_reading.h"

namespace varnoth {

void GridRows::reorder(const std::vector<std::uint32_t> &order)
{
    std::vector<std::string> sorted;
    sorted.reserve(cells.size());
    for (std::uint32_t row : order) {
        for (std::size_t c = 0; c < columns; ++c)
            sorted.push_back(std::move(cell(row, c)));
    }
    cells = std::move(sorted);
}

CellKey cellKey(std::string_view text, const NumberFormat &format)
{
    CellKey key;
    key.text = text;
    if (const auto number = strictNumber(text, format)) {
        key.kind = CellKey::Kind::Number;
        key.value = *number;
    } else if (DurationParts duration; readClockDuration(text, duration)) {
        key.kind = CellKey::Kind::Duration;
        key.value = duration.totalSeconds();
    }
    return key;
}

int compareCells(const CellKey &a, const CellKey &b)
{
    if (a.kind == b.kind && a.kind != CellKey::Kind::Text)
        return a.value < b.value ? -1 : (a.value > b.value ? 1 : 0);
    const int c = a.text.compare(b.text);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::vector<std::uint32_t> sortedOrder(const GridRows &rows, std::size_t firstColumn, std::size_t lastColumn,
                                       SortOrder order, const NumberFormat &format)
{
    const std::size_t n = rows.rowCount();
    std::vector<std::uint32_t> result(n);
    for (std::size_t i = 0; i < n; ++i)
        result[i] = static_cast<std::uint32_t>(i);
    if (n < 2 || firstColumn > lastColumn || lastColumn >= rows.columns)
        return result;

    const std::size_t width = lastColumn - firstColumn + 1;
    std::vector<CellKey> keys(n * width);
    for (std::size_t r = 0; r < n; ++r) {
        for (std::size_t c = 0; c < width; ++c)
            keys[r * width + c] = cellKey(rows.cell(r, firstColumn + c), format);
    }
    const int sign = order == SortOrder::Descending ? -1 : 1;
    // True when row a must stand before row b.
    auto before = [&](std::uint32_t a, std::uint32_t b) {
        for (std::size_t c = 0; c < width; ++c) {
            const int cmp = compareCells(keys[a * width + c], keys[b * width + c]);
            if (cmp != 0)
                return cmp * sign < 0;
        }
        return false;
    };

    // Bottom-up merge sort: every step is bounded by the run lengths, so the
    // result is a permutation whatever the comparisons say, and a row from the
    // right run passes one from the left only when it must stand before it.
    std::vector<std::uint32_t> buffer(n);
    for (std::size_t width2 = 1; width2 < n; width2 *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width2) {
            const std::size_t mid = std::min(lo + width2, n);
            const std::size_t hi = std::min(lo + 2 * width2, n);
            std::size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                buffer[k++] = before(result[j], result[i]) ? result[j++] : result[i++];
            while (i < mid)
                buffer[k++] = result[i++];
            while (j < hi)
                buffer[k++] = result[j++];
        }
        result.swap(buffer);
    }
    return result;
}

void sortRows(GridRows &rows, std::size_t firstColumn, std::size_t lastColumn, SortOrder order,
              const NumberFormat &format)
{
    rows.reorder(sortedOrder(rows, firstColumn, lastColumn, order, format));
}

} // namespace varnoth
