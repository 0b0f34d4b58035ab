// The summary lines' number forms. The fourteen lines of a whole run are
// checked word for word by the dump test.
#include <gtest/gtest.h>

#include "wording/summary_captions.h"

using namespace varnoth;

namespace {

const NumberFormat dot{".", ","};

// 3 uploads of 1,500,000 bytes by one downloader of one file in one folder, 30 s in all.
Summary threeUploads()
{
    Summary s;
    s.totalUploads = 3;
    s.totalUploaders = 1;
    s.differentFiles = 1;
    s.differentFolders = 1;
    s.totalFolderAccesses = 3;
    s.totalMegabytes = 4.5;
    s.totalUploadTime = {0, 0, 30};
    return s;
}

} // namespace

TEST(SummaryCaptions, SizeTotalForms)
{
    const std::pair<double, const char *> cases[] = {
        {1234.567, "Total MB's Uploaded : 1234.57"}, {1234.5, "Total MB's Uploaded : 1234.5"},
        {999.996, "Total MB's Uploaded : 1000"},     {0.75, "Total MB's Uploaded : .75"},
        {9999.996, "Total MB's Uploaded : 10000"},   {10000, "Total MB's Uploaded : 10000"},
        {10000.004, "Total GB's Uploaded : 10 GB"},  {10500, "Total GB's Uploaded : 10.5 GB"},
        {20000, "Total GB's Uploaded : 20 GB"},      {123456789.4, "Total GB's Uploaded : 123456.789 GB"},
    };
    for (const auto &[megabytes, expected] : cases) {
        Summary s = threeUploads();
        s.totalMegabytes = megabytes;
        EXPECT_EQ(summaryCaptions(s, dot).totalSize, expected) << megabytes;
    }
}

TEST(SummaryCaptions, DecimalUnitsAndTheFileListExclusion)
{
    Summary s = threeUploads();
    EXPECT_EQ(summaryCaptions(s, dot).averageMegabytesPerPerson, "Average MB's Uploaded / Person : 4.50 Mb");
    s.totalUploads = 4; // and one file list of 0.5 MB
    s.fileListUploads = 1;
    s.totalMegabytes = 5;
    s.fileListMegabytes = 0.5;
    EXPECT_EQ(summaryCaptions(s, dot).averageFilesize, "Average Filesize / File : 1.50 MB (MyLists not included)");
}

TEST(SummaryCaptions, TimesAndTheirPatterns)
{
    struct Case {
        UploadTime total;
        std::int64_t downloaders;
        const char *totalCaption, *perPerson;
    };
    const Case cases[] = {
        {{0, 2, 0}, 1, "Total Upload Time :  0h  2m  0s ", "Average Upload time / Person :  0h  2m .0s "},
        {{1, 2, 5}, 1, "Total Upload Time :  1h  2m  5s ", "Average Upload time / Person :  1h  2m 5.0s "},
        {{0, 25, 9}, 2, "Total Upload Time :  0h  25m  9s ", "Average Upload time / Person :  0h  12m 34.5s "},
        {{1000, 0, 0}, 1, "Total Upload Time :  1000h  0m  0s ", "Average Upload time / Person :  1000h  0m .0s "},
        // Whole hours and minutes however many the hours, divided exactly.
        {{15473077464077, 51, 11},
         1,
         "Total Upload Time :  15473077464077h  51m  11s ",
         "Average Upload time / Person :  15473077464077h  51m 11.0s "},
        {{9223372036854775807, 59, 59},
         2,
         "Total Upload Time :  9223372036854775807h  59m  59s ",
         "Average Upload time / Person :  4611686018427387903h  59m 59.5s "},
    };
    for (const auto &c : cases) {
        Summary s = threeUploads();
        s.totalUploadTime = c.total;
        s.totalUploaders = c.downloaders;
        const SummaryCaptions captions = summaryCaptions(s, dot);
        EXPECT_EQ(captions.totalUploadTime, c.totalCaption);
        EXPECT_EQ(captions.averageUploadTimePerPerson, c.perPerson);
    }
}

TEST(SummaryCaptions, NoUploadTimeGivesNoSpeed)
{
    Summary s = threeUploads();
    s.totalUploadTime = {};
    const SummaryCaptions c = summaryCaptions(s, dot);
    EXPECT_EQ(c.averageSpeed, "Average Upload Speed / File : n/a");
    EXPECT_EQ(c.averageUploadTimePerFile, "Average Upload Time / File : 0.00 s");
}

TEST(SummaryCaptions, PatternsUseTheUsersDecimalSeparatorButCountsAndSizesDoNot)
{
    Summary s = threeUploads();
    s.totalMegabytes = 1234.5;
    const SummaryCaptions c = summaryCaptions(s, NumberFormat{",", "."});
    EXPECT_EQ(c.averageMegabytesPerPerson, "Average MB's Uploaded / Person : 1234,50 Mb");
    EXPECT_EQ(c.averageUploadsPerPerson, "Average Uploads / Person : 3,00");
    EXPECT_EQ(c.totalSize, "Total MB's Uploaded : 1234.5");
}
