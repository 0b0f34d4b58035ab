#include <gtest/gtest.h>

#include "analysis/rankings.h"
#include "wording/result_cells.h"
#include "analysis/summary.h"

using namespace varnoth;

namespace {

void uploads(Tallies &t, const char *nick, int count, double megabytesEach, DurationParts d = {0, 0, 1})
{
    for (int i = 0; i < count; ++i)
        t.addDownloaderUpload(nick, megabytesEach * 1e6, d);
}

std::vector<std::string> nicks(const std::vector<DownloaderRow> &rows)
{
    std::vector<std::string> out;
    for (const auto &row : rows)
        out.push_back(row.nick);
    return out;
}

} // namespace

TEST(Rankings, TopDownloadersByUploadsThenMegabytesAsShownThenTime)
{
    Tallies t;
    uploads(t, "ten", 5, 2.0);
    uploads(t, "two", 2, 50.0);
    uploads(t, "twenty", 5, 4.0);
    uploads(t, "tie-a", 1, 1.0, {1, 5, 9});
    uploads(t, "tie-b", 1, 1.0, {1, 5, 9});
    // 1.004 and 1.001 megabytes both show 1.00: the longer time ranks first.
    uploads(t, "shown-equal", 1, 1.001, {0, 0, 5});
    uploads(t, "longer", 1, 1.004, {2, 0, 0});
    EXPECT_EQ(nicks(rankDownloaders(t)),
              (std::vector<std::string>{"twenty", "ten", "two", "longer", "tie-a", "tie-b", "shown-equal"}));
    const GridRows cells = downloaderCells(rankDownloaders(t), NumberFormat::c());
    EXPECT_EQ(std::vector<std::string>(cells.cells.begin(), cells.cells.begin() + 4),
              (std::vector<std::string>{"twenty", "5", "20.00", "00:00:05"}));
}

TEST(Rankings, FoldersAndFilesWithFileLists)
{
    Tallies t;
    for (std::string path : {"C:\\share\\a.avi ", "C:\\share\\b.avi ", "D:\\x\\c.avi ", "C:\\share\\a.avi "})
        t.addFileUpload(path, path.rfind('\\'), hashText(path), 1);
    for (int i = 0; i < 3; ++i)
        t.addFileUpload("MyList.bz2 ", 0, hashText("MyList.bz2 "), 0.1);
    t.countFolders();
    const auto folders = rankFolders(t);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].folder, "C:\\share");
    EXPECT_EQ(folders[0].accesses, 3);
    const auto files = rankFiles(t);
    std::vector<std::pair<std::string, std::int64_t>> got;
    for (const auto &f : files)
        got.emplace_back(f.file, f.uploads);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::int64_t>>{
                       {"MyList.bz2 ", 3}, {"C:\\share\\a.avi ", 2}, {"C:\\share\\b.avi ", 1}, {"D:\\x\\c.avi ", 1}}));
}

TEST(Summary, TotalUploadTimeIsSummedWithCarriesInFirstAppearanceOrder)
{
    Tallies t;
    uploads(t, "a", 1, 0, {0, 59, 59});
    uploads(t, "b", 1, 0, {0, 0, 1});
    uploads(t, "c", 1, 0, {700, 0, 0});
    AnalysisReport report;
    report.downloaders = rankDownloaders(t);
    const Summary s = summarize(t, report, 0);
    EXPECT_EQ(s.totalUploadTime.hours, 701);
    EXPECT_EQ(s.totalUploadTime.minutes, 0);
    EXPECT_EQ(s.totalUploadTime.seconds, 0);
}
