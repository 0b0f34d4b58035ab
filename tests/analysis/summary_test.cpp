#include <gtest/gtest.h>

#include <map>

#include "analysis/summary.h"

using namespace varnoth;

namespace {

const NumberFormat dot{".", ","};

struct Totals {
    std::int64_t lines = 3;
    double megabytes = 4.5;
    std::int64_t hours = 0, minutes = 0;
    double seconds = 30;
    std::size_t downloaders = 1, files = 1, folders = 1;
};

std::map<std::string, std::string> captions(const Totals &t, const NumberFormat &format = dot)
{
    AnalysisState s;
    s.LineCount = t.lines;
    s.TotalMegabytes = t.megabytes;
    s.TimeHours = t.hours;
    s.TimeMinutes = t.minutes;
    s.TimeSeconds = t.seconds;
    s.FolderCount = static_cast<std::int64_t>(t.folders);
    s.TotalFolderAccesses = static_cast<double>(t.lines);
    std::map<std::string, std::string> out;
    for (const auto &l : summaryCaptions(s, t.downloaders, t.files, t.folders, format))
        out[l.label] = l.caption;
    return out;
}

} // namespace

TEST(Summary, AllFourteenCaptionsInOrder)
{
    AnalysisState s;
    s.LineCount = 1234;
    s.TotalMegabytes = 1234.567;
    s.MyListMegabytes = 0.567;
    s.Bz2ListUploads = 34;
    s.FolderCount = 8;
    s.TotalFolderAccesses = 1200;
    s.TimeHours = 5;
    s.TimeMinutes = 12;
    s.TimeSeconds = 7;
    const auto labels = summaryCaptions(s, 10, 100, 8, dot);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Label1", "Total Uploads :  1234"},
        {"Label4", "Total Uploaders :  10"},
        {"Label7", "Different files uploaded :  100"},
        {"Label12", "Different folders accessed :  8"},
        {"Label6", "Average Uploads / Person : 123.40"},
        {"Label13", "Average accesses / Folder : 150.00"},
        {"Label10", "Average Uploads / File: 12.34"},
        {"Label11", "Total MB's Uploaded : 1234.57"},
        {"Label14", "Total Upload Time :  5h  12m  7s "},
        {"Label15", "Average Upload Speed / File : 0.07 MB/s"},
        {"Label16", "Average Upload Time / File : 15.18 s"},
        {"Label17", "Average MB's Uploaded / Person : 123.46 Mb"},
        {"Label19", "Average Filesize / File : 1.03 MB (MyLists not included)"},
        {"Label18", "Average Upload time / Person :  0h  31m 12.7s "},
    };
    ASSERT_EQ(labels.size(), expected.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_EQ(labels[i].label, expected[i].first);
        EXPECT_EQ(labels[i].caption, expected[i].second);
    }
    // Afterwards the time fields hold the average per downloader.
    EXPECT_EQ(s.TimeHours, 0);
    EXPECT_EQ(s.TimeMinutes, 31);
    EXPECT_NEAR(s.TimeSeconds, 12.7, 1e-9);
}

TEST(Summary, SizeTotalForms)
{
    const std::pair<double, const char *> cases[] = {
        {1234.567, "Total MB's Uploaded : 1234.57"}, {1234.5, "Total MB's Uploaded : 1234.5"},
        {999.996, "Total MB's Uploaded : 1000"},     {0.75, "Total MB's Uploaded : .75"},
        {9999.996, "Total MB's Uploaded : 10000"},   {10000, "Total MB's Uploaded : 10000"},
        {10000.004, "Total GB's Uploaded : 10 GB"},  {10500, "Total GB's Uploaded : 10.5 GB"},
        {20000, "Total GB's Uploaded : 20 GB"},      {123456789.4, "Total GB's Uploaded : 123456.789 GB"},
    };
    for (const auto &[megabytes, expected] : cases) {
        Totals t;
        t.megabytes = megabytes;
        EXPECT_EQ(captions(t)["Label11"], expected) << megabytes;
    }
}

TEST(Summary, DecimalUnitsAndTheFileListExclusion)
{
    Totals t; // 3 uploads of 1,500,000 bytes by one downloader
    const auto c = captions(t);
    EXPECT_EQ(c.at("Label17"), "Average MB's Uploaded / Person : 4.50 Mb");
    EXPECT_EQ(c.at("Label19"), "Average Filesize / File : 1.50 MB (MyLists not included)");
}

TEST(Summary, AverageTimePerPersonPattern)
{
    const std::pair<Totals, const char *> cases[] = {
        {{3, 1, 0, 2, 0, 1, 1, 1}, "Average Upload time / Person :  0h  2m .0s "},
        {{3, 1, 1, 2, 5, 1, 1, 1}, "Average Upload time / Person :  1h  2m 5.0s "},
        {{3, 1, 0, 25, 9, 2, 1, 1}, "Average Upload time / Person :  0h  12m 34.5s "},
        {{3, 1, 1000, 0, 0, 1, 1, 1}, "Average Upload time / Person :  1000h  0m .0s "},
    };
    for (const auto &[totals, expected] : cases)
        EXPECT_EQ(captions(totals)["Label18"], expected);
}

TEST(Summary, NoUploadTimeGivesNoSpeed)
{
    Totals t;
    t.seconds = 0;
    const auto c = captions(t);
    EXPECT_EQ(c.at("Label15"), "Average Upload Speed / File : n/a");
    EXPECT_EQ(c.at("Label16"), "Average Upload Time / File : 0.00 s");
}

TEST(Summary, PatternsUseTheUsersDecimalSeparatorButSizesDoNot)
{
    Totals t;
    t.megabytes = 1234.5;
    const auto c = captions(t, NumberFormat{",", "."});
    EXPECT_EQ(c.at("Label17"), "Average MB's Uploaded / Person : 1234,50 Mb");
    EXPECT_EQ(c.at("Label11"), "Total MB's Uploaded : 1234.5");
}
