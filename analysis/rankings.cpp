#include "rankings.h"

#include <algorithm>

#include "forms/number_forms.h"
#include "forms/number_reading.h"

namespace varnoth {
namespace {

// Rows by a key, largest first; equal keys keep their order.
template <class Row, class Key> void rankDescending(std::vector<Row> &rows, Key key)
{
    std::stable_sort(rows.begin(), rows.end(), [&](const Row &a, const Row &b) { return key(b) < key(a); });
}

} // namespace

std::vector<DownloaderRow> rankDownloaders(const Tallies &tallies)
{
    std::vector<DownloaderRow> rows;
    rows.reserve(tallies.downloaders().size());
    tallies.downloaderNames().forEach([&](const NameTable::Entry &e) {
        const DownloaderTally &d = tallies.downloaders()[e.index];
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
    std::vector<std::size_t> order(rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    rankDescending(order, [&](std::size_t i) { return keys[i]; });
    std::vector<DownloaderRow> ranked;
    ranked.reserve(rows.size());
    for (std::size_t i : order)
        ranked.push_back(std::move(rows[i]));
    return ranked;
}

std::vector<FolderRow> rankFolders(const Tallies &tallies)
{
    std::vector<FolderRow> rows;
    rows.reserve(tallies.folders().size());
    tallies.folders().forEach([&](const NameTable::Entry &e) { rows.push_back({e.name(), e.count}); });
    rankDescending(rows, [](const FolderRow &row) { return row.accesses; });
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
    rankDescending(rows, [](const FileRow &row) { return row.uploads; });
    return rows;
}

} // namespace varnoth
