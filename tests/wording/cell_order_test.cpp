#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "wording/cell_order.h"

using namespace varnoth;

namespace {

const NumberFormat dot{".", ","};

GridRows rowsOf(std::size_t columns, std::vector<std::string> cells)
{
    GridRows rows(columns);
    rows.cells = std::move(cells);
    return rows;
}

std::vector<std::string> column(const GridRows &rows, std::size_t c)
{
    std::vector<std::string> out;
    for (std::size_t r = 0; r < rows.rowCount(); ++r)
        out.push_back(rows.cell(r, c));
    return out;
}

} // namespace

TEST(CellOrder, NumbersAsNumbersOtherwiseText)
{
    auto key = [](const char *t) { return cellKey(t, dot); };
    EXPECT_LT(compareCells(key("9"), key("10")), 0);
    EXPECT_LT(compareCells(key("9.5"), key("10.00")), 0);
    EXPECT_GT(compareCells(key("9a"), key("10")), 0); // text: '9' > '1'
    EXPECT_EQ(compareCells(key("2.50"), key("2.5")), 0);
    EXPECT_LT(compareCells(key("Bob"), key("bob")), 0); // letter case counts
    // Durations compare as durations, so long hours order correctly.
    EXPECT_LT(compareCells(key("9:59:59"), key("10:00:00")), 0);
    EXPECT_LT(compareCells(key("99:00:00"), key("100:00:00")), 0);
    EXPECT_LT(compareCells(key("2003-06-14 21:05"), key("2003-06-14 21:06")), 0);
}

TEST(CellOrder, DescendingAndAscendingAreStable)
{
    GridRows rows = rowsOf(2, {"a", "1", "b", "3", "c", "1", "d", "3", "e", "2"});
    sortRows(rows, 1, 1, SortOrder::Descending, dot);
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"b", "d", "e", "a", "c"}));
    sortRows(rows, 1, 1, SortOrder::Ascending, dot);
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"a", "c", "e", "b", "d"}));
}

TEST(CellOrder, LaterColumnsBreakTies)
{
    GridRows rows = rowsOf(3, {"x", "5", "10.00", "y", "5", "20.00", "z", "2", "99.00"});
    sortRows(rows, 1, 2, SortOrder::Descending, dot);
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"y", "x", "z"}));
    // Sorting on one column only leaves ties in their order.
    sortRows(rows, 1, 1, SortOrder::Ascending, dot);
    EXPECT_EQ(column(rows, 0), (std::vector<std::string>{"z", "y", "x"}));
}

TEST(CellOrder, InconsistentCellsStillGiveAPermutation)
{
    // "1a" > "10" (text), "10" > "9" (numbers), "9" > "1a" (text): no total order.
    std::vector<std::string> cells;
    std::mt19937 random(7);
    const char *pool[] = {"1a", "10", "9", "", "0", "x", "2:00:00", "-1", "1e3", "abc"};
    for (int i = 0; i < 5000; ++i)
        cells.push_back(pool[random() % 10]);
    GridRows rows = rowsOf(1, cells);
    const auto order = sortedOrder(rows, 0, 0, SortOrder::Descending, dot);
    std::vector<std::uint32_t> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::uint32_t i = 0; i < sorted.size(); ++i)
        ASSERT_EQ(sorted[i], i);
}
