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

std::vector<DownloaderRow> rankDownloaders(const Tallies &tallies)
{
    std::vector<DownloaderRow> rows;
    rows.reserve(tallies.downloaders().size());
    tallies.downloaderNames().forEach([&](const NameTable::Entry &e) {
        const DownloaderTally &d = tallies.downloaders()[e.link];
        rows.push_back({std::string(e.name()), d.uploads, d.megabytes(), d.time.total()});
    });
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
    return rows;
}

std::vector<FolderRow> rankFolders(const Tallies &tallies)
{
    std::vector<FolderRow> rows;
    rows.reserve(tallies.folders().size());
    tallies.folders().forEach([&](const NameTable::Entry &e) { rows.push_back({e.name(), e.count}); });
    rankDescending(rows, [&](std::size_t i) { return rows[i].accesses; });
    return rows;
}

std::vector<FileRow> rankFiles(const Tallies &tallies)
{
    std::vector<FileRow> rows;
    rows.reserve(tallies.files().size() + 2);
    tallies.files().forEach([&](const NameTable::Entry &e) { rows.push_back({e.name(), e.count}); });
    if (tallies.dcLstUploads() > 0)
        rows.push_back({dcLstFileList, tallies.dcLstUploads()});
    if (tallies.bz2ListUploads() > 0)
        rows.push_back({bz2FileList, tallies.bz2ListUploads()});
    rankDescending(rows, [&](std::size_t i) { return rows[i].uploads; });
    return rows;
}

} // namespace varnoth
