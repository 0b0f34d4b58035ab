#include <gtest/gtest.h>

#include "analysis/line_cutter.h"
#include "test_logs.h"

using namespace varnoth;
using varnoth::test::textLine;

namespace {

struct Fields {
    CutStatus status;
    std::string path, folder, nick, bytes, duration;
};

Fields cut(const std::string &line, LineCutter::Mode mode = LineCutter::Mode::Analysis)
{
    static LineCutter cutter;
    const std::string owned = line;
    const CutLine &c = cutter.cut(textLine(owned), mode);
    return {c.status, std::string(c.FilePath), std::string(c.Folder), std::string(c.Nick),
            std::string(c.ByteText), std::string(c.DurationText)};
}

const std::string stamp = "2003-06-14 21:05: ";

} // namespace

TEST(LineCutter, TheWorkedExampleLine)
{
    static LineCutter cutter;
    const std::string line = stamp + "C:\\Share\\Music\\song.mp3 uploaded to SomeNick, 4123456 (4123456), 21.45 KiB/s, 0:03:12";
    const CutLine &c = cutter.cut(textLine(line), LineCutter::Mode::Analysis);
    ASSERT_EQ(c.status, CutStatus::Ok);
    EXPECT_EQ(c.DateTimeText, "2003-06-14 21:05: ");
    EXPECT_EQ(c.FilePath, "C:\\Share\\Music\\song.mp3 ");
    EXPECT_EQ(c.Folder, "C:\\Share\\Music");
    EXPECT_EQ(c.Nick, "SomeNick");
    EXPECT_EQ(c.ByteText, "4123456");
    EXPECT_EQ(c.DurationText, "0:03:12");
}

TEST(LineCutter, FieldsOfOddButValidLines)
{
    struct Case {
        const char *rest;
        const char *path, *folder, *nick, *bytes, *duration;
    };
    const Case cases[] = {
        // A partial upload: the number after "(" is what was sent.
        {"C:\\a.mp3 uploaded to Bob, 4123456 (123456), 21.45 KiB/s, 0:03:12", "C:\\a.mp3 ", "C:", "Bob", "123456", "0:03:12"},
        // A short size text before an exact byte count.
        {"C:\\a.mp3 uploaded to Bob, 1 MiB (1048576), 21.45 KiB/s, 0:03:12", "C:\\a.mp3 ", "C:", "Bob", "1048576", "0:03:12"},
        // Commas in path and nick.
        {"C:\\a,b.txt uploaded to B,ob, 100 (100), 1 KiB/s, 0:00:01", "C:\\a,b.txt ", "C:", "B,ob", "100", "0:00:01"},
        // The file list; no folder.
        {"MyList.bz2 uploaded to Bob, 5210 (5210), 1 KiB/s, 0:00:01", "MyList.bz2 ", "", "Bob", "5210", "0:00:01"},
        // A duration written right after the comma loses its first character.
        {"C:\\a uploaded to Bob, 1 (1), x,00:00:01", "C:\\a ", "C:", "Bob", "1", "0:00:01"},
        // Hours of several digits are read whole.
        {"C:\\a uploaded to Bob, 1 (1), 1 KiB/s, 10:00:01", "C:\\a ", "C:", "Bob", "1", "10:00:01"},
        {"C:\\a uploaded to Bob, 1 (1), 1 KiB/s, 123:45:06  ", "C:\\a ", "C:", "Bob", "1", "123:45:06"},
        // Anything after a one-digit duration is ignored.
        {"C:\\a uploaded to Bob, 1 (1), 1 KiB/s, 0:03:12 extra", "C:\\a ", "C:", "Bob", "1", "0:03:12"},
        // Forward slashes separate folders too; the last separator counts.
        {"/home/me/share/a.ogg uploaded to Bob, 1 (1), 1 KiB/s, 0:00:01", "/home/me/share/a.ogg ", "/home/me/share", "Bob", "1", "0:00:01"},
        // The first character of the path is never a separator.
        {"\\a.txt uploaded to Bob, 1 (1), 1 KiB/s, 0:00:01", "\\a.txt ", "", "Bob", "1", "0:00:01"},
        // A bare file name has no folder.
        {"song.mp3 uploaded to Bob, 1 (1), 1 KiB/s, 0:00:01", "song.mp3 ", "", "Bob", "1", "0:00:01"},
    };
    for (const auto &c : cases) {
        const Fields f = cut(stamp + c.rest);
        ASSERT_EQ(f.status, CutStatus::Ok) << c.rest;
        EXPECT_EQ(f.path, c.path) << c.rest;
        EXPECT_EQ(f.folder, c.folder) << c.rest;
        EXPECT_EQ(f.nick, c.nick) << c.rest;
        EXPECT_EQ(f.bytes, c.bytes) << c.rest;
        EXPECT_EQ(f.duration, c.duration) << c.rest;
    }
}

TEST(LineCutter, CorruptedLines)
{
    const std::pair<std::string, CutStatus> cases[] = {
        {"2003-06-14 21:05", CutStatus::TooShort},
        {stamp + "C:\\a.txt sent to Bob, 100 (100), 1 KiB/s, 0:00:01", CutStatus::NoMarker},
        {stamp, CutStatus::NoMarker},
        // Only two commas after the marker: no nick comma within reach.
        {stamp + "C:\\a.txt uploaded to Bob, 100 (100), 0:00:01", CutStatus::NoNickComma},
        // A comma in the ignored field: the nick comma moves and no "(" is met before it.
        {stamp + "C:\\a.txt uploaded to Bob, 100 (100), 21,45 KiB/s, 0:00:01", CutStatus::NoParen},
        {stamp + "C:\\a.txt uploaded to , 100 (100), 1 KiB/s, 0:00:01", CutStatus::EmptyNick},
        // A comma as the last character cannot start a duration.
        {stamp + "C:\\a.txt uploaded to Bob, 100 (100), 1 KiB/s, 0:00:01,", CutStatus::BadCut},
        // The nick comma lies inside the marker.
        {stamp + "C:\\a uploaded to,1 (1),x,0:00:01", CutStatus::BadCut},
    };
    for (const auto &[line, status] : cases)
        EXPECT_EQ(cut(line).status, status) << line;
}

TEST(LineCutter, ScanLimitsCountCharacters)
{
    // The middle scan looks at most 51 characters back from the last comma.
    const std::string near(45, 'x');
    const std::string far(60, 'x');
    EXPECT_EQ(cut(stamp + "C:\\a uploaded to Bob, 1 (1), " + near + ", 0:00:01").status, CutStatus::Ok);
    EXPECT_EQ(cut(stamp + "C:\\a uploaded to Bob, 1 (1), " + far + ", 0:00:01").status, CutStatus::NoNickComma);
    // 45 two-byte characters are 45 characters, not 90.
    std::string wide;
    for (int i = 0; i < 45; ++i)
        wide += "é";
    EXPECT_EQ(cut(stamp + "C:\\a uploaded to Bob, 1 (1), " + wide + ", 0:00:01").status, CutStatus::Ok);
}

TEST(LineCutter, DecodesUtf8AndWindows1252)
{
    const Fields utf8 = cut("2003-06-14 21:05: C:\\Musique\\Björk\\é.mp3 uploaded to Zoë, 1 (1), 1 KiB/s, 0:00:01");
    ASSERT_EQ(utf8.status, CutStatus::Ok);
    EXPECT_EQ(utf8.folder, "C:\\Musique\\Björk");
    EXPECT_EQ(utf8.nick, "Zoë");
    // The same line from an older client, in Windows-1252: the same texts.
    const Fields legacy = cut("2003-06-14 21:05: C:\\Musique\\Bj\xF6rk\\\xE9.mp3 uploaded to Zo\xEB, 1 (1), 1 KiB/s, 0:00:01");
    ASSERT_EQ(legacy.status, CutStatus::Ok);
    EXPECT_EQ(legacy.path, utf8.path);
    EXPECT_EQ(legacy.nick, utf8.nick);
    EXPECT_EQ(cut("2003-06-14 21:05: a uploaded to \x80uro, 1 (1), x, 0:00:01").nick, "€uro");
    // A multi-byte character inside the date/time text counts as one character.
    EXPECT_EQ(cut("2003-06-14 21:0\xC3\xA9: C:\\a uploaded to Bob, 1 (1), x, 0:00:01").path, "C:\\a ");
}

TEST(LineCutter, TheMarkerMayStandAnywhere)
{
    const std::string longPath = "C:\\" + std::string(5000, 'p') + "\\f.txt";
    const Fields f = cut(stamp + longPath + " uploaded to Bob, 1 (1), x, 0:00:01");
    ASSERT_EQ(f.status, CutStatus::Ok);
    EXPECT_EQ(f.path, longPath + " ");
}

TEST(LineCutter, ViewsCutLinesWithoutTheMarker)
{
    const Fields f = cut(stamp + "C:\\abcdefghijk.txt x Bob, 1 (1), x, 0:00:01", LineCutter::Mode::View);
    ASSERT_EQ(f.status, CutStatus::Ok);
    EXPECT_EQ(f.path, "");
    EXPECT_EQ(f.nick, "jk.txt x Bob"); // from position 13 of the rest of the line
}
