#include <gtest/gtest.h>

#include "analysis/tallies.h"

using namespace varnoth;

namespace {

std::string timeOf(const AnalysisState &s, std::size_t k)
{
    return std::to_string(s.DownloaderHours[k]) + ":" + std::to_string(s.DownloaderMinutes[k]) + ":"
           + std::to_string(s.DownloaderSeconds[k]);
}

} // namespace

TEST(DownloaderTally, CarriesForReturningDownloadersOnly)
{
    struct Case {
        std::vector<DurationParts> uploads;
        const char *expected;
    };
    const Case cases[] = {
        {{{0, 0, 40}, {0, 0, 30}}, "0:1:10"},
        {{{0, 0, 30}, {0, 0, 30}}, "0:1:0"},
        {{{0, 59, 59}}, "0:59:59"},
        {{{0, 59, 59}, {0, 0, 1}}, "1:0:0"},
        // A first upload is stored as it comes, without carrying.
        {{{0, 0, 99}}, "0:0:99"},
        {{{10, 0, 1}, {10, 0, 1}}, "20:0:2"},
    };
    for (const auto &c : cases) {
        AnalysisState s;
        for (const auto &d : c.uploads)
            addDownloaderUpload(s, "Bob", 1.0, d);
        EXPECT_EQ(timeOf(s, 0), c.expected);
        EXPECT_EQ(s.DownloaderUploads[0], static_cast<std::int64_t>(c.uploads.size()));
    }
}

TEST(DownloaderTally, NicksAreComparedExactlyAndKeptInFirstAppearanceOrder)
{
    AnalysisState s;
    for (const char *nick : {"bob", "Bob", "bob", "Zoë", "Bob "})
        addDownloaderUpload(s, nick, 2.5, {0, 0, 1});
    EXPECT_EQ(s.DownloaderCount, 4);
    EXPECT_EQ(s.DownloaderNames, (std::vector<std::string>{"bob", "Bob", "Zoë", "Bob "}));
    EXPECT_EQ(s.DownloaderUploads[0], 2);
    EXPECT_DOUBLE_EQ(s.DownloaderMegabytes[0], 5.0);
}

TEST(DownloaderTally, CountsPastSixteenBits)
{
    AnalysisState s;
    for (int i = 0; i < 40000; ++i)
        addDownloaderUpload(s, std::to_string(i % 33000) + "n", 0, {0, 0, 0});
    EXPECT_EQ(s.DownloaderCount, 33000);
    addFolderAccess(s, "C:");
    for (int i = 0; i < 33000; ++i)
        addFolderAccess(s, "C:");
    EXPECT_EQ(s.FolderAccesses[0], 33001);
}

TEST(FileTallies, FileListsAreCountedApart)
{
    AnalysisState s;
    addFileUpload(s, "C:\\share\\a.avi ", 1);
    addFileUpload(s, "C:\\share\\b.avi ", 1);
    addFileUpload(s, "C:\\share\\a.avi ", 1);
    addFileUpload(s, "MyList.bz2 ", 0.25);
    addFileUpload(s, "MyList.DcLst ", 0.5);
    addFileUpload(s, "X\\MyList.bz2 ", 1);
    addFileUpload(s, "mylist.bz2 ", 1);
    EXPECT_EQ(s.FileCount, 4);
    EXPECT_EQ(s.FileUploads[0], 2);
    EXPECT_EQ(s.Bz2ListUploads, 1);
    EXPECT_EQ(s.DcLstUploads, 1);
    EXPECT_DOUBLE_EQ(s.MyListMegabytes, 0.75);
}
