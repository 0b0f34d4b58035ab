// The settings file: its three lines, which of two files a start reads, where
// a write goes when a folder cannot take it, and that a failed write never
// damages the file already there.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/failure.h"
#include "forms/file_exists.h"
#include "forms/native_file.h"
#include "forms/settings_file.h"

#if __has_include(<sys/resource.h>)
#include <csignal>
#include <sys/resource.h>
#define VARNOTH_HAS_FILE_SIZE_LIMIT 1
#endif

using namespace varnoth;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("varnoth_settings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void put(const std::string &content) { std::ofstream(dir / "quillon.ini", std::ios::binary) << content; }
    std::string contents() const
    {
        std::ifstream in(dir / "quillon.ini", std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    fs::path dir;
};

#ifdef VARNOTH_HAS_FILE_SIZE_LIMIT
// Lets files grow to at most `bytes` while it lives; writing past that fails
// with EFBIG instead of raising SIGXFSZ. Unlike permission bits this stops
// root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
        : previousHandler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
};
#endif

} // namespace

TEST_F(SettingsFile, WritesThreeCrLfLines)
{
    // A temporary file left by a write that was killed is cleared away.
    std::ofstream(dir / ".quillon.ini.123.tmp") << "Quillon ini file 1\r\n/half";
    writeSettings({dir.string()}, "C:\\dc++\\uploads.log", 1234);
    EXPECT_EQ(contents(), "Quillon ini file 1\r\nC:\\dc++\\uploads.log\r\n 1234 \r\n");
    writeSettings({dir.string()}, "/home/me/b.log", 0);
    EXPECT_EQ(contents(), "Quillon ini file 1\r\n/home/me/b.log\r\n 0 \r\n");
    // Only the settings file is left: the temporary file was renamed over it.
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SettingsFile, ReadsWhatItWrote)
{
    // Every digit of a total beyond 2^53, never an exponent.
    writeSettings({dir.string()}, "/logs/ü.log", addLinesAnalyzed(9007199254740993, 4000));
    EXPECT_EQ(contents(), "Quillon ini file 1\r\n/logs/ü.log\r\n 9007199254744993 \r\n");
    const auto s = readSettings({dir.string()});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->logPath, "/logs/ü.log");
    EXPECT_EQ(s->totalLinesAnalyzed, 9007199254744993);
    // At 18 digits the total stays at its largest.
    EXPECT_EQ(addLinesAnalyzed(maxLinesAnalyzed - 5, 5), maxLinesAnalyzed);
    EXPECT_EQ(addLinesAnalyzed(maxLinesAnalyzed - 5, 6), maxLinesAnalyzed);
    EXPECT_EQ(addLinesAnalyzed(maxLinesAnalyzed, INT64_MAX), maxLinesAnalyzed);
}

TEST_F(SettingsFile, ReadingCases)
{
    struct Case {
        const char *content;
        bool found;
        const char *path;
        std::int64_t total;
    };
    const Case cases[] = {
        {"Quillon ini file 1\r\n/a.log\r\n 1234 \r\n", true, "/a.log", 1234},
        {"Quillon ini file 1\n/a.log\n 77 \n", true, "/a.log", 77},
        {"Quillon ini file 1\r\n/a.log\r\nletters\r\n", true, "/a.log", 0},
        // The total: whole, at most 18 digits, never negative or infinite.
        {"Quillon ini file 1\r\n/a.log\r\n 12 34 \r\n", true, "/a.log", 1234},
        {"Quillon ini file 1\r\n/a.log\r\n 9007199254740993 \r\n", true, "/a.log", 9007199254740993},
        {"Quillon ini file 1\r\n/a.log\r\n 9.00719925474499E+15 \r\n", true, "/a.log", 9007199254744990},
        {"Quillon ini file 1\r\n/a.log\r\n 12.5 \r\n", true, "/a.log", 12},
        {"Quillon ini file 1\r\n/a.log\r\n 1234567890123456789 \r\n", true, "/a.log", maxLinesAnalyzed},
        {"Quillon ini file 1\r\n/a.log\r\n 2e18 \r\n", true, "/a.log", maxLinesAnalyzed},
        {"Quillon ini file 1\r\n/a.log\r\n 1e400 \r\n", true, "/a.log", 0},
        {"Quillon ini file 1\r\n/a.log\r\n Inf \r\n", true, "/a.log", 0},
        {"Quillon ini file 1\r\n/a.log\r\n -42 \r\n", true, "/a.log", 0},
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

TEST_F(SettingsFile, TheFileWrittenLastWins)
{
    // Files in the program folder (dir) and the per-user folder, with their
    // ages in minutes; a file that cannot be read never wins.
    struct Case {
        const char *program;
        int programAge;
        const char *user;
        int userAge;
        const char *expected;
    };
    const char *const programFile = "Quillon ini file 1\r\n/beside.log\r\n 9 \r\n";
    const char *const userFile = "Quillon ini file 1\r\n/user.log\r\n 5 \r\n";
    const Case cases[] = {
        {programFile, 60, userFile, 1, "/user.log"},
        {programFile, 1, userFile, 60, "/beside.log"},
        {programFile, 5, userFile, 5, "/beside.log"},
        {"Quillon ini file 1\r\n/beside.log\r\n", 1, userFile, 60, "/user.log"},
        {nullptr, 0, userFile, 60, "/user.log"},
    };
    const fs::path user = dir / "user";
    fs::create_directories(user);
    const auto now = fs::file_time_type::clock::now();
    for (const Case &c : cases) {
        fs::remove(dir / "quillon.ini");
        if (c.program) {
            put(c.program);
            fs::last_write_time(dir / "quillon.ini", now - std::chrono::minutes(c.programAge));
        }
        std::ofstream(user / "quillon.ini", std::ios::binary) << c.user;
        fs::last_write_time(user / "quillon.ini", now - std::chrono::minutes(c.userAge));
        const auto read = readSettings({dir.string(), (dir / "missing").string(), user.string()});
        ASSERT_TRUE(read);
        EXPECT_EQ(read->logPath, c.expected) << c.programAge << " " << c.userAge;
    }
}

TEST_F(SettingsFile, RefusesPathsThatDoNotFitOnALine)
{
    put("Quillon ini file 1\r\n/old.log\r\n 3 \r\n");
    for (const std::string &path : {std::string("/a\nb.log"), std::string("/a\rb.log"), std::string("/a\0b.log", 8)}) {
        EXPECT_FALSE(settingsCanHold(path));
        EXPECT_THROW(writeSettings({dir.string()}, path, 4), Failure);
    }
    EXPECT_EQ(contents(), "Quillon ini file 1\r\n/old.log\r\n 3 \r\n");
    EXPECT_FALSE(fileExists(std::string("/etc/passwd\0x", 13))); // the system would stop at the NUL
}

TEST_F(SettingsFile, FallsBackWhenAFolderCannotBeWritten)
{
    // A regular file where a folder should be cannot hold a settings file,
    // whoever runs the test.
    const fs::path blocked = dir / "not-a-folder";
    std::ofstream(blocked) << "x";
    const fs::path fallback = dir / "config" / "varnoth";
    const std::vector<std::string> folders = {blocked.string(), fallback.string()};
    const std::string written = writeSettings(folders, "/x.log", 3);
    EXPECT_EQ(written, (fallback / "quillon.ini").string());
    // The next start finds it there, and a second write replaces it in place.
    EXPECT_EQ(readSettings(folders)->logPath, "/x.log");
    writeSettings(folders, "/y.log", 4);
    EXPECT_EQ(readSettings(folders)->logPath, "/y.log");
    EXPECT_EQ(std::distance(fs::directory_iterator(fallback), fs::directory_iterator()), 1);
    // The failure names its cause: here a file where a folder should be.
    try {
        writeSettings({blocked.string()}, "/x.log", 3);
        ADD_FAILURE() << "no failure";
    } catch (const Failure &failure) {
        EXPECT_STREQ(failure.what(), "Path not found");
    }
    // A read-only mount is named as such, not as a missing permission.
    EXPECT_EQ(describeSystemError(EROFS), "Read-only file system");
}

TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileWhole)
{
#ifdef VARNOTH_HAS_FILE_SIZE_LIMIT
    const std::string old = "Quillon ini file 1\r\n/beside/uploads.log\r\n 12 \r\n";
    put(old);
    const std::string longPath = "/" + std::string(200, 'x') + "/uploads.log";
    {
        // The new file stops growing part way through, in every folder.
        const FileSizeLimit limit(16);
        EXPECT_THROW(writeSettings({dir.string(), (dir / "user").string()}, longPath, 99), Failure);
    }
    EXPECT_EQ(contents(), old);
    EXPECT_FALSE(fs::exists(dir / "user" / "quillon.ini"));
    // With room again, the same write replaces the file whole.
    writeSettings({dir.string()}, longPath, 99);
    EXPECT_EQ(readSettings({dir.string()})->logPath, longPath);
    EXPECT_EQ(entries(), 2u); // the settings file and the (empty) user folder; no temporary file
#else
    GTEST_SKIP() << "no file size limit on this system to make a write fail part way";
#endif
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
