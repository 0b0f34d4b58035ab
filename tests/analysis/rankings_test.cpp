// Reports made from tallies: ranking, file lists, the summary's carries,
// and a report of a tally with more on top, which must equal the report of
// the two joined while leaving the tally as it was.

#include <gtest/gtest.h>

#include "analysis/report_builder.h"
#include "wording/result_cells.h"

using namespace varnoth;

namespace {

void uploads(UploadTally &t, const char *nick, int count, double megabytesEach, DurationParts d = {0, 0, 1},
             std::string path = "C:\\share\\a.avi ")
{
    for (int i = 0; i < count; ++i) {
        t.tallies.addDownloaderUpload(nick, megabytesEach * 1e6, d);
        t.tallies.addFileUpload(path, path.rfind('\\') == std::string::npos ? 0 : path.rfind('\\'), hashText(path),
                                megabytesEach * 1e6);
        t.uploads += 1;
    }
}

AnalysisReport reportOf(UploadTally &t, const UploadTally *more = nullptr)
{
    const auto outcome = buildReport(t, more, {});
    EXPECT_NE(completed(outcome), nullptr);
    return *completed(outcome);
}

std::vector<std::string> nicks(const std::vector<DownloaderRow> &rows)
{
    std::vector<std::string> out;
    for (const auto &row : rows)
        out.push_back(row.nick);
    return out;
}

std::string describe(const AnalysisReport &r)
{
    std::string out = std::to_string(r.lineCount) + "\n";
    for (const auto &d : r.downloaders)
        out += d.nick + " " + std::to_string(d.uploads) + " " + std::to_string(d.megabytes) + " " +
               std::to_string(d.uploadTime.hours) + ":" + std::to_string(d.uploadTime.minutes) + ":" +
               std::to_string(d.uploadTime.seconds) + "\n";
    for (const auto &f : r.files)
        out += std::string(f.file) + " " + std::to_string(f.uploads) + "\n";
    for (const auto &f : r.folders)
        out += std::string(f.folder) + " " + std::to_string(f.accesses) + "\n";
    out += std::to_string(r.summary.totalMegabytes) + " " + std::to_string(r.summary.fileListUploads) + " " +
           std::to_string(r.summary.totalUploadTime.hours) + ":" + std::to_string(r.summary.totalUploadTime.minutes);
    return out;
}

} // namespace

TEST(Rankings, TopDownloadersByUploadsThenMegabytesAsShownThenTime)
{
    UploadTally t;
    uploads(t, "ten", 5, 2.0);
    uploads(t, "two", 2, 50.0);
    uploads(t, "twenty", 5, 4.0);
    uploads(t, "tie-a", 1, 1.0, {1, 5, 9});
    uploads(t, "tie-b", 1, 1.0, {1, 5, 9});
    // 1.004 and 1.001 megabytes both show 1.00: the longer time ranks first.
    uploads(t, "shown-equal", 1, 1.001, {0, 0, 5});
    uploads(t, "longer", 1, 1.004, {2, 0, 0});
    t.tallies.countFolders();
    const AnalysisReport r = reportOf(t);
    EXPECT_EQ(nicks(r.downloaders),
              (std::vector<std::string>{"twenty", "ten", "two", "longer", "tie-a", "tie-b", "shown-equal"}));
    const GridRows cells = downloaderCells(r.downloaders, NumberFormat::c());
    EXPECT_EQ(std::vector<std::string>(cells.cells.begin(), cells.cells.begin() + 4),
              (std::vector<std::string>{"twenty", "5", "20.00", "00:00:05"}));
}

TEST(Rankings, FoldersAndFilesWithFileLists)
{
    UploadTally t;
    for (std::string path : {"C:\\share\\a.avi ", "C:\\share\\b.avi ", "D:\\x\\c.avi ", "C:\\share\\a.avi "})
        uploads(t, "n", 1, 1, {0, 0, 1}, path);
    for (int i = 0; i < 3; ++i)
        uploads(t, "n", 1, 0.1, {0, 0, 1}, "MyList.bz2 ");
    t.tallies.countFolders();
    const AnalysisReport r = reportOf(t);
    ASSERT_EQ(r.folders.size(), 2u);
    EXPECT_EQ(r.folders[0].folder, "C:\\share");
    EXPECT_EQ(r.folders[0].accesses, 3);
    std::vector<std::pair<std::string, std::int64_t>> got;
    for (const auto &f : r.files)
        got.emplace_back(f.file, f.uploads);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::int64_t>>{
                       {"MyList.bz2 ", 3}, {"C:\\share\\a.avi ", 2}, {"C:\\share\\b.avi ", 1}, {"D:\\x\\c.avi ", 1}}));
    EXPECT_EQ(r.summary.fileListUploads, 3);
}

TEST(Summary, TotalUploadTimeIsSummedWithCarriesInFirstAppearanceOrder)
{
    UploadTally t;
    uploads(t, "a", 1, 0, {0, 59, 59});
    uploads(t, "b", 1, 0, {0, 0, 1});
    uploads(t, "c", 1, 0, {700, 0, 0});
    t.tallies.countFolders();
    const Summary s = reportOf(t).summary;
    EXPECT_EQ(s.totalUploadTime.hours, 701);
    EXPECT_EQ(s.totalUploadTime.minutes, 0);
    EXPECT_EQ(s.totalUploadTime.seconds, 0);
}

// One upload on top, of every kind: a returning downloader (whose carries
// depend on what came before), a new one, a known and a new file, a new
// folder, a file list.
TEST(Report, MoreOnTopEqualsTheTalliesJoinedAndLeavesTheTallyAsItWas)
{
    struct Case {
        const char *nick;
        const char *path;
        DurationParts duration;
    };
    const Case cases[] = {
        {"a", "C:\\share\\a.avi ", {0, 30, 45}},
        {"new", "C:\\share\\a.avi ", {0, 0, 1}},
        {"b", "E:\\other\\new.avi ", {1, 59, 59}},
        {"a", "MyList.DcLst ", {0, 0, 30}},
    };
    for (const Case &c : cases) {
        auto base = [] {
            UploadTally t;
            uploads(t, "a", 3, 1.5, {0, 40, 50});
            uploads(t, "b", 2, 700, {0, 0, 59}, "C:\\share\\b.avi ");
            t.tallies.countFolders();
            return t;
        };
        auto top = [&] {
            UploadTally m;
            uploads(m, c.nick, 1, 2.25, c.duration, c.path);
            m.tallies.countFolders();
            return m;
        };
        UploadTally tally = base(), more = top();
        const std::string before = describe(reportOf(tally));
        const std::string overlaid = describe(reportOf(tally, &more));
        UploadTally joined = base();
        joined.append(top());
        EXPECT_EQ(overlaid, describe(reportOf(joined))) << c.nick << " " << c.path;
        EXPECT_EQ(describe(reportOf(tally)), before);
    }
}
