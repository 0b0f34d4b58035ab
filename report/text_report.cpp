#include "text_report.h"

#include <algorithm>
#include <vector>

#include "shown_lists.h"
#include "wording/display_text.h"
#include "wording/summary_captions.h"

namespace varnoth {
namespace {

constexpr const char *columnGap = "  ";

// A row's cells as the text shows them: names made printable and cut to
// the column limit, numbers as they are.
void shownCells(const ShownList &list, std::size_t row, std::vector<std::string> &cells)
{
    list.rowCells(row, cells);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (!list.numeric[c])
            cells[c] = cutToWidth(printable(cells[c]), textColumnLimit);
    }
}

// One line of cells, each in its column's width: texts to the left, numbers
// to the right; nothing trails the last cell.
void writeLine(const std::vector<std::string> &cells, const std::vector<std::size_t> &widths,
               const std::vector<bool> &numeric, ReportOutput &out)
{
    std::string &line = out.block();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += columnGap;
        const std::size_t used = displayWidth(cells[c]);
        const std::size_t pad = widths[c] > used ? widths[c] - used : 0;
        if (numeric[c]) {
            line.append(pad, ' ');
            line += cells[c];
        } else {
            line += cells[c];
            if (c + 1 < cells.size())
                line.append(pad, ' ');
        }
    }
    line += '\n';
    out.flushIfFull();
}

// The list's rows are made twice: once for the columns' widths, once to be written.
void writeList(const ShownList &list, ReportOutput &out)
{
    const std::vector<std::string> headers(list.headers.begin(), list.headers.end());
    std::vector<std::size_t> widths(headers.size(), 0);
    for (std::size_t c = 0; c < headers.size(); ++c)
        widths[c] = displayWidth(headers[c]);
    std::vector<std::string> cells;
    for (std::size_t r = 0; r < list.shown; ++r) {
        shownCells(list, r, cells);
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(cells[c]));
    }
    std::vector<std::string> rules;
    for (std::size_t width : widths)
        rules.emplace_back(width, '-');

    const std::string count = shownCount(list);
    out << list.title << (count.empty() ? "" : " " + count) << "\n";
    writeLine(headers, widths, list.numeric, out);
    writeLine(rules, widths, list.numeric, out);
    for (std::size_t r = 0; r < list.shown; ++r) {
        shownCells(list, r, cells);
        writeLine(cells, widths, list.numeric, out);
    }
}

} // namespace

void writeTextReport(const AnalysisReport &report, std::size_t top, const NumberFormat &format, ReportOutput &out)
{
    for (const std::string &caption : captionLines(summaryCaptions(report.summary, format)))
        out << caption << "\n";
    for (const ShownList &list : shownLists(report, format, top)) {
        out << "\n";
        writeList(list, out);
    }
}

} // namespace varnoth
