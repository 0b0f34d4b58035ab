#include "text_report.h"

#include <algorithm>

#include "wording/summary_captions.h"
#include "wording/display_text.h"
#include "shown_lists.h"

namespace varnoth {
namespace {

constexpr const char *columnGap = "  ";

std::string padding(std::size_t width, std::size_t used)
{
    return std::string(width > used ? width - used : 0, ' ');
}

// One line of cells, each in its column's width: texts to the left, numbers
// to the right; nothing trails the last cell.
std::string line(const std::vector<std::string> &cells, const std::vector<std::size_t> &widths,
                 const std::vector<bool> &numeric)
{
    std::string out;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c > 0)
            out += columnGap;
        const std::string pad = padding(widths[c], displayWidth(cells[c]));
        if (numeric[c])
            out += pad + cells[c];
        else
            out += cells[c] + (c + 1 < cells.size() ? pad : std::string());
    }
    return out + "\n";
}

std::string listText(const ShownList &list)
{
    std::vector<std::vector<std::string>> lines;
    lines.emplace_back(list.headers.begin(), list.headers.end());
    for (std::size_t r = 0; r < list.rows.rowCount(); ++r) {
        lines.emplace_back();
        for (std::size_t c = 0; c < list.rows.columns; ++c)
            lines.back().push_back(printable(list.rows.cell(r, c)));
    }
    std::vector<std::size_t> widths(list.headers.size(), 0);
    for (const auto &cells : lines) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], displayWidth(cells[c]));
    }
    std::vector<std::string> rules;
    for (std::size_t width : widths)
        rules.emplace_back(width, '-');

    const std::string count = shownCount(list);
    std::string out = list.title + (count.empty() ? "" : " " + count) + "\n";
    out += line(lines[0], widths, list.numeric) + line(rules, widths, list.numeric);
    for (std::size_t i = 1; i < lines.size(); ++i)
        out += line(lines[i], widths, list.numeric);
    return out;
}

} // namespace

std::string textReport(const AnalysisReport &report, std::size_t top, const NumberFormat &format)
{
    std::string out;
    for (const std::string &caption : captionLines(summaryCaptions(report.summary, format)))
        out += caption + "\n";
    for (const ShownList &list : shownLists(report, format, top))
        out += "\n" + listText(list);
    return out;
}

} // namespace varnoth
