#include "rankings.h"

#include <algorithm>
#include <numeric>

#include "forms/number_forms.h"
#include "forms/number_reading.h"

namespace varnoth {
namespace {

// Rows by a key of their position, largest first; equal keys keep their
// order. Positions are sorted and the rows then moved into place along the
// cycles of the permutation, so that ranking millions of rows takes little
// room beyond the rows themselves.
template <class Row, class Key> void rankDescending(std::vector<Row> &rows, Key keyOf)
{
    std::vector<std::uint32_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return keyOf(b) < keyOf(a); });
    // Row i is to become the former row order[i]; a position done is marked by order[i] == i.
    for (std::uint32_t i = 0; i < order.size(); ++i) {
        if (order[i] == i)
            continue;
        Row held = std::move(rows[i]);
        std::uint32_t at = i;
        while (order[at] != i) {
            const std::uint32_t from = order[at];
            rows[at] = std::move(rows[from]);
            order[at] = at;
            at = from;
        }
        rows[at] = std::move(held);
        order[at] = at;
    }
}

} // namespace

void rankDownloaders(std::vector<DownloaderRow> &rows)
{
    // The lists compare what they show: megabytes as the grid writes them.
    struct Key {
        double uploads, megabytes, seconds;
        bool operator<(const Key &other) const
        {
            if (uploads != other.uploads)
                return uploads < other.uploads;
            if (megabytes != other.megabytes)
                return megabytes < other.megabytes;
            return seconds < other.seconds;
        }
    };
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (const DownloaderRow &row : rows) {
        keys.push_back({static_cast<double>(row.uploads),
                        lenientNumber(formatPattern(row.megabytes, Pattern::Megabytes, NumberFormat::c())),
                        row.uploadTime.totalSeconds()});
    }
    rankDescending(rows, [&](std::size_t i) { return keys[i]; });
}

void rankFolders(std::vector<FolderRow> &rows)
{
    rankDescending(rows, [&](std::size_t i) { return rows[i].accesses; });
}

void rankFiles(std::vector<FileRow> &rows)
{
    rankDescending(rows, [&](std::size_t i) { return rows[i].uploads; });
}

} // namespace varnoth
