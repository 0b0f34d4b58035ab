#include "report_builder.h"

#include <cmath>
#include <new>

#include "forms/failure.h"
#include "rankings.h"
#include "summary.h"

namespace varnoth {
namespace {

// The rows of a name table in order of first appearance, each with its
// count, and those of `more` added: counts of names both hold summed,
// names only `more` holds after the others.
// room: rows that will be added after them (the file lists).
template <class Row, class MakeRow, class AddTo>
std::vector<Row> rowsOf(const NameTable &table, const NameTable *more, MakeRow makeRow, AddTo addTo,
                        std::size_t room = 0)
{
    std::vector<Row> rows;
    rows.reserve(table.size() + (more ? more->size() : 0) + room);
    table.forEach([&](const NameTable::Entry &e) { rows.push_back(makeRow(e.name(), e.count)); });
    if (more) {
        more->forEach([&](const NameTable::Entry &e) {
            if (const auto at = table.find(e.name())) {
                // The row that views the entry's own bytes.
                const char *name = table.entry(*at).name().data();
                for (Row &row : rows)
                    if (addTo(row, name, e.count))
                        return;
            }
            rows.push_back(makeRow(e.name(), e.count));
        });
    }
    return rows;
}

std::vector<DownloaderRow> downloadersOf(const Tallies &tallies, const Tallies *more)
{
    std::vector<DownloaderRow> rows;
    rows.reserve(tallies.downloaders().size() + 1);
    tallies.downloaderNames().forEach([&](const NameTable::Entry &e) {
        const DownloaderTally &d = tallies.downloaders()[e.link];
        rows.push_back({std::string(e.name()), d.uploads, d.megabytes(), d.time.total()});
    });
    if (!more)
        return rows;
    more->downloaderNames().forEach([&](const NameTable::Entry &e) {
        const DownloaderTally &theirs = more->downloaders()[e.link];
        const auto at = tallies.downloaderNames().find(e.name());
        if (!at) {
            rows.push_back({std::string(e.name()), theirs.uploads, theirs.megabytes(), theirs.time.total()});
            return;
        }
        // A downloader's link is its place in order of first appearance.
        const std::uint32_t place = tallies.downloaderNames().entry(*at).link;
        DownloaderTally both = tallies.downloaders()[place];
        both.uploads = checkedAdd(both.uploads, theirs.uploads);
        both.bytes.add(theirs.bytes);
        both.time.append(theirs.time);
        rows[place] = {std::string(e.name()), both.uploads, both.megabytes(), both.time.total()};
    });
    return rows;
}

struct Names {
    std::shared_ptr<const void> files, folders, moreFiles, moreFolders;
};

} // namespace

Outcome<AnalysisReport> buildReport(const UploadTally &tally, const UploadTally *more, const DateRange &range)
{
    try {
        const Tallies &t = tally.tallies;
        const Tallies *m = more ? &more->tallies : nullptr;
        AnalysisReport report;
        report.lineCount = more ? checkedAdd(tally.uploads, more->uploads) : tally.uploads;
        report.range = range;

        auto fileRow = [](std::string_view name, std::int64_t count) { return FileRow{name, count}; };
        auto addToFile = [](FileRow &row, const char *name, std::int64_t count) {
            if (row.file.data() != name)
                return false;
            row.uploads = checkedAdd(row.uploads, count);
            return true;
        };
        report.files = rowsOf<FileRow>(t.files(), m ? &m->files() : nullptr, fileRow, addToFile, 2);
        auto folderRow = [](std::string_view name, std::int64_t count) { return FolderRow{name, count}; };
        auto addToFolder = [](FolderRow &row, const char *name, std::int64_t count) {
            if (row.folder.data() != name)
                return false;
            row.accesses = checkedAdd(row.accesses, count);
            return true;
        };
        report.folders = rowsOf<FolderRow>(t.folders(), m ? &m->folders() : nullptr, folderRow, addToFolder);
        if (report.files.empty() || report.folders.empty())
            return NoUploads{};

        // The client's file lists: rows of their own after the files.
        const std::int64_t dcLst = m ? checkedAdd(t.dcLstUploads(), m->dcLstUploads()) : t.dcLstUploads();
        const std::int64_t bz2 = m ? checkedAdd(t.bz2ListUploads(), m->bz2ListUploads()) : t.bz2ListUploads();
        if (dcLst > 0)
            report.files.push_back({dcLstFileList, dcLst});
        if (bz2 > 0)
            report.files.push_back({bz2FileList, bz2});

        // Every upload belongs to one downloader: their bytes are all the
        // bytes, summed exactly.
        ExactSum bytes;
        for (const DownloaderTally &d : t.downloaders())
            bytes.add(d.bytes);
        ExactSum fileListBytes = t.fileListBytes();
        if (m) {
            for (const DownloaderTally &d : m->downloaders())
                bytes.add(d.bytes);
            fileListBytes.add(m->fileListBytes());
        }
        const double totalMegabytes = bytes.value() / 1000000.0;
        if (!std::isfinite(totalMegabytes))
            throw Failure(failures::overflow);

        report.downloaders = downloadersOf(t, m);
        report.activity = tally.activity.finish(more ? &more->activity : nullptr);
        report.summary = summarize(report, checkedAdd(dcLst, bz2), fileListBytes.value() / 1000000.0, totalMegabytes);

        rankDownloaders(report.downloaders);
        rankFolders(report.folders);
        rankFiles(report.files);
        report.names = std::make_shared<const Names>(Names{t.files().shareNames(), t.folders().shareNames(),
                                                           m ? m->files().shareNames() : nullptr,
                                                           m ? m->folders().shareNames() : nullptr});
        return report;
    } catch (const Failure &failure) {
        return Failed{failure.description()};
    } catch (const std::bad_alloc &) {
        return Failed{failures::outOfMemory};
    }
}

} // namespace varnoth
