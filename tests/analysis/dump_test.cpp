// Whole logs analysed end to end through varnoth-bench --dump.

#include <gtest/gtest.h>

#include "test_logs.h"

using namespace varnoth::test;

namespace {

std::string dumpOf(const std::string &content)
{
    TempLog log(content);
    return runBench("--dump '" + log.path() + "'");
}

} // namespace

TEST(Dump, ARealisticLog)
{
    const std::string log =
        uploadLine("C:\\Share\\Music\\song.mp3", "SomeNick", "4123456", "0:03:12") + "\r\n" // a blank line is skipped
        + uploadLine("C:\\Share\\Music\\other.mp3", "Zoë", "1500000", "0:59:59") +
        "2003-06-14 21:07: C:\\Share\\Music\\song.mp3 uploaded to Zoë, 3.93 MiB (123456), 1 KiB/s, 0:00:01\n" +
        uploadLine("MyList.bz2", "SomeNick", "5210", "0:00:01") +
        "2003-06-14 21:09: D:\\Movies\\Über\\film.avi uploaded to ひかり, 1 GiB (1073741824), 9 KiB/s, 10:00:01\r" +
        uploadLine("C:\\Share\\Music\\song.mp3", "SomeNick", "4123456", "0:59:59") + "   \r\n";
    EXPECT_EQ(
        dumpOf(log),
        "{\"line_count\": 6, \"lines_completed\": 6,\n"
        " \"grid1\": [[\"SomeNick\", \"3\", \"8.25\", \"01:03:12\"], [\"Zoë\", \"2\", \"1.62\", \"01:00:00\"], "
        "[\"ひかり\", \"1\", \"1073.74\", \"10:00:01\"]],\n"
        " \"grid3\": [[\"C:\\\\Share\\\\Music\", \"4\"], [\"D:\\\\Movies\\\\Über\", \"1\"]],\n"
        " \"grid2\": [[\"C:\\\\Share\\\\Music\\\\song.mp3 \", \"3\"], [\"C:\\\\Share\\\\Music\\\\other.mp3 \", \"1\"], "
        "[\"D:\\\\Movies\\\\Über\\\\film.avi \", \"1\"], [\"MyList.bz2 \", \"1\"]],\n"
        " \"labels\": {\n"
        "  \"Label1\": \"Total Uploads :  6\",\n"
        "  \"Label4\": \"Total Uploaders :  3\",\n"
        "  \"Label7\": \"Different files uploaded :  4\",\n"
        "  \"Label12\": \"Different folders accessed :  2\",\n"
        "  \"Label6\": \"Average Uploads / Person : 2.00\",\n"
        "  \"Label13\": \"Average accesses / Folder : 2.50\",\n"
        "  \"Label10\": \"Average Uploads / File: 1.50\",\n"
        "  \"Label11\": \"Total MB's Uploaded : 1083.62\",\n"
        "  \"Label14\": \"Total Upload Time :  12h  3m  13s \",\n"
        "  \"Label15\": \"Average Upload Speed / File : 0.02 MB/s\",\n"
        "  \"Label16\": \"Average Upload Time / File : 7232.17 s\",\n"
        "  \"Label17\": \"Average MB's Uploaded / Person : 361.21 Mb\",\n"
        "  \"Label19\": \"Average Filesize / File : 216.72 MB (MyLists not included)\",\n"
        "  \"Label18\": \"Average Upload time / Person :  4h  1m 4.3s \"}}\n");
}

TEST(Dump, MessagesAndDrilldownRows)
{
    EXPECT_EQ(runBench("--dump /nonexistent/varnoth/uploads.log"),
              "{\"message\": \"Following error has occured : File not found. Quitting...\"}\n");
    TempLog log(uploadLine("C:\\a\\b.txt", "Bob", "4123456", "0:03:12") + "no upload here\r\n");
    EXPECT_EQ(runBench("--dump '" + log.path() + "'"),
              "{\"message\": \"Corrupted data found at line 2. Quitting...\"}\n");
    EXPECT_EQ(runBench("--file x '" + log.path() + "'"), "{\"message\": \"Corrupted data found. Quitting...\"}\n");
    TempLog good(uploadLine("C:\\a\\b.txt", "Bob", "4123456", "0:03:12"));
    EXPECT_EQ(runBench("--personal Bob '" + good.path() + "'"), "[[\"C:\\\\a\\\\b.txt \", \"4.12\", \"0:03:12\"]]\n");
    EXPECT_EQ(runBench("--file 'C:\\a\\b.txt ' '" + good.path() + "'"),
              "[[\"Bob\", \"0:03:12\", \"2003-06-14 21:05\"]]\n");
}

TEST(Dump, ActivityAndOptionsBeforeTheMode)
{
    TempLog log(uploadLine("C:\\a\\b.txt", "Bob", "4123456", "0:03:12") +
                "2003-06-15 22:00: C:\\a\\b.txt uploaded to Ann, 5 (5), x, 0:00:01\r\n");
    const std::string activity = runBench("--to 2003-06-14 --threads 2 --activity '" + log.path() + "'");
    EXPECT_TRUE(
        activity.starts_with("{\"first\": \"2003-06-14\", \"last\": \"2003-06-14\",\n \"days\": [\n  "
                             "{\"date\": \"2003-06-14\", \"uploads\": 1, \"bytes\": 4123456, \"seconds\": 192}],\n"))
        << activity;
    EXPECT_NE(activity.find("{\"hour\": 21, \"uploads\": 1, \"bytes\": 4123456, \"seconds\": 192}"), std::string::npos);
    EXPECT_NE(activity.find("{\"hour\": 22, \"uploads\": 0, \"bytes\": 0, \"seconds\": 0}"), std::string::npos);
    EXPECT_TRUE(activity.ends_with("],\n \"undated\": 0}\n")) << activity;
    EXPECT_EQ(runBench("--from 2003-06-15 --personal Bob '" + log.path() + "'"), "[]\n");
}

TEST(Dump, BadArgumentsAreAUsageError)
{
    for (const char *arguments :
         {"", "--dump", "--personal Bob", "--generate 10", "--generate x /dev/null", "--generate 10 /dev/null 0 1 1",
          "--generate 10 /dev/null 1 1", "--unknown LOG", "--threads 0 LOG", "--threads x --dump LOG", "--from",
          "--from 2003-02-29 --dump LOG", "--to 2003-6-1 --dump LOG", "--from 2003-06-02 --to 2003-06-01 --dump LOG"})
        EXPECT_EQ(benchStatus(arguments), 2) << arguments;
}
