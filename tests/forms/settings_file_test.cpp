#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/failure.h"
#include "forms/file_exists.h"
#include "forms/settings_file.h"

using namespace varnoth;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("varnoth_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void put(const std::string &content)
    {
        std::ofstream(dir / "quillon.ini", std::ios::binary) << content;
    }
    std::string contents() const
    {
        std::ifstream in(dir / "quillon.ini", std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir;
};

} // namespace

TEST_F(SettingsFile, WritesThreeCrLfLines)
{
    writeSettings({dir.string()}, "C:\\dc++\\uploads.log", 1234, NumberFormat{});
    EXPECT_EQ(contents(), "Quillon ini file 1\r\nC:\\dc++\\uploads.log\r\n 1234 \r\n");
    writeSettings({dir.string()}, "/home/me/b.log", 0, NumberFormat{});
    EXPECT_EQ(contents(), "Quillon ini file 1\r\n/home/me/b.log\r\n 0 \r\n");
    // Only the settings file is left: the temporary file was renamed over it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(SettingsFile, ReadsWhatItWrote)
{
    writeSettings({dir.string()}, "/logs/ü.log", 1e15, NumberFormat{});
    const auto s = readSettings({dir.string()});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->logPath, "/logs/ü.log");
    EXPECT_EQ(s->totalLinesAnalyzed, 1e15);
}

TEST_F(SettingsFile, ReadingCases)
{
    struct Case {
        const char *content;
        bool found;
        const char *path;
        double total;
    };
    const Case cases[] = {
        {"Quillon ini file 1\r\n/a.log\r\n 1234 \r\n", true, "/a.log", 1234},
        {"Quillon ini file 1\n/a.log\n 77 \n", true, "/a.log", 77},
        {"Quillon ini file 1\r\n/a.log\r\nletters\r\n", true, "/a.log", 0},
        {"quillon ini file 1\r\n/a.log\r\n 1234 \r\n", true, "/a.log", 0}, // other case: total not read
        {"Quillon ini file 1\r\n/a.log\r\n", false, "", 0},                // header promises a third line
        {"only one line\r\n", false, "", 0},
        {"", false, "", 0},
    };
    for (const auto &c : cases) {
        put(c.content);
        const auto s = readSettings({dir.string()});
        ASSERT_EQ(s.has_value(), c.found) << c.content;
        if (s) {
            EXPECT_EQ(s->logPath, c.path);
            EXPECT_EQ(s->totalLinesAnalyzed, c.total);
        }
    }
}

TEST_F(SettingsFile, TheFirstFolderWithAReadableFileWins)
{
    const fs::path other = dir / "user";
    fs::create_directories(other);
    std::ofstream(other / "quillon.ini", std::ios::binary) << "Quillon ini file 1\r\n/user.log\r\n 5 \r\n";
    EXPECT_EQ(readSettings({(dir / "missing").string(), other.string()})->logPath, "/user.log");
    put("Quillon ini file 1\r\n/beside.log\r\n 9 \r\n");
    EXPECT_EQ(readSettings({dir.string(), other.string()})->logPath, "/beside.log");
}

TEST_F(SettingsFile, FallsBackWhenAFolderCannotBeWritten)
{
    // A regular file where a folder should be cannot hold a settings file,
    // whoever runs the test.
    const fs::path blocked = dir / "not-a-folder";
    std::ofstream(blocked) << "x";
    const fs::path fallback = dir / "config" / "varnoth";
    const std::string written = writeSettings({blocked.string(), fallback.string()}, "/x.log", 3, NumberFormat{});
    EXPECT_EQ(written, (fallback / "quillon.ini").string());
    EXPECT_TRUE(fileExists(written));
    EXPECT_THROW(writeSettings({blocked.string()}, "/x.log", 3, NumberFormat{}), Failure);
}

TEST(FileExists, OnlyExistingRegularFiles)
{
    const fs::path dir = fs::temp_directory_path() / "varnoth_exists_test";
    fs::create_directories(dir);
    std::ofstream(dir / "uploads.log") << "x";
    EXPECT_TRUE(fileExists((dir / "uploads.log").string()));
    EXPECT_FALSE(fileExists(dir.string()));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists((dir / "*.log").string()));
    EXPECT_FALSE(fileExists((dir / "missing" / "uploads.log").string()));
    fs::remove_all(dir);
}
