#include <gtest/gtest.h>

#include "analysis/rankings.h"
#include "analysis/tallies.h"

using namespace varnoth;

namespace {

const NumberFormat dot{".", ","};

std::vector<std::vector<std::string>> table(const GridRows &rows)
{
    std::vector<std::vector<std::string>> out;
    for (std::size_t r = 0; r < rows.rowCount(); ++r) {
        out.emplace_back();
        for (std::size_t c = 0; c < rows.columns; ++c)
            out.back().push_back(rows.cell(r, c));
    }
    return out;
}

void uploads(AnalysisState &s, const char *nick, int count, double megabytesEach, DurationParts d = {0, 0, 1})
{
    for (int i = 0; i < count; ++i)
        addDownloaderUpload(s, nick, megabytesEach, d);
}

} // namespace

TEST(Rankings, TopDownloadersByUploadsThenMegabytesThenTime)
{
    AnalysisState s;
    uploads(s, "ten", 5, 2.0);
    uploads(s, "two", 2, 50.0);
    uploads(s, "twenty", 5, 4.0);
    uploads(s, "tie-a", 1, 1.0, {1, 5, 9});
    uploads(s, "tie-b", 1, 1.0, {1, 5, 9});
    const auto rows = table(topDownloaders(s, dot));
    using R = std::vector<std::string>;
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], (R{"twenty", "5", "20.00", "00:00:05"}));
    EXPECT_EQ(rows[1], (R{"ten", "5", "10.00", "00:00:05"}));
    EXPECT_EQ(rows[2], (R{"two", "2", "100.00", "00:00:02"}));
    // Equal in every key: first appearance first.
    EXPECT_EQ(rows[3], (R{"tie-a", "1", "1.00", "01:05:09"}));
    EXPECT_EQ(rows[4][0], "tie-b");
}

TEST(Rankings, TotalUploadTimeIsSummedWithCarries)
{
    AnalysisState s;
    uploads(s, "a", 1, 0, {0, 59, 59});
    uploads(s, "b", 1, 0, {0, 0, 1});
    uploads(s, "c", 1, 0, {700, 0, 0});
    topDownloaders(s, dot);
    EXPECT_EQ(s.TimeHours, 701);
    EXPECT_EQ(s.TimeMinutes, 0);
    EXPECT_EQ(s.TimeSeconds, 0);
}

TEST(Rankings, FoldersAndFilesWithFileLists)
{
    AnalysisState s;
    for (const char *path : {"C:\\share\\a.avi ", "C:\\share\\b.avi ", "D:\\x\\c.avi ", "C:\\share\\a.avi "}) {
        addFileUpload(s, path, 1);
        addFolderAccess(s, std::string(path).substr(0, std::string(path).rfind('\\')));
    }
    for (int i = 0; i < 3; ++i)
        addFileUpload(s, "MyList.bz2 ", 0.1);
    const auto folders = table(mostAccessedFolders(s, dot));
    using R = std::vector<std::string>;
    EXPECT_EQ(folders, (std::vector<R>{{"C:\\share", "3"}, {"D:\\x", "1"}}));
    EXPECT_EQ(s.TotalFolderAccesses, 4);
    const auto files = table(mostDownloadedFiles(s, dot));
    EXPECT_EQ(files, (std::vector<R>{{"MyList.bz2 ", "3"}, {"C:\\share\\a.avi ", "2"}, {"C:\\share\\b.avi ", "1"},
                                     {"D:\\x\\c.avi ", "1"}}));
}
