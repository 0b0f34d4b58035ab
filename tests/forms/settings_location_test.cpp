// Where the settings file goes when the program sits in a folder the user
// cannot write (an installed program under /usr/bin), and that a failed write
// never damages the file already there. Which of two files the next start
// reads: SettingsFile.TheFileWrittenLastWins, and packaging/check-install.sh.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/failure.h"
#include "forms/settings_file.h"

#if __has_include(<sys/resource.h>)
#include <csignal>
#include <sys/resource.h>
#define VARNOTH_HAS_FILE_SIZE_LIMIT 1
#endif

using namespace varnoth;
namespace fs = std::filesystem;

namespace {

const char *const besideProgram = "Quillon ini file 1\r\n/beside/uploads.log\r\n 12 \r\n";

class SettingsLocation : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               ("varnoth_location_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        program = root / "bin";
        user = root / "home" / ".config" / "Varnoth"; // not there yet: the first write makes it
        fs::create_directories(program);
    }
    void TearDown() override
    {
        std::error_code error;
        fs::permissions(program, fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(root, error);
    }

    std::vector<std::string> folders() const { return {program.string(), user.string()}; }

    static void put(const fs::path &file, const std::string &content)
    {
        std::ofstream(file, std::ios::binary) << content;
    }
    static std::string contents(const fs::path &file)
    {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static std::size_t entries(const fs::path &folder)
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    // Makes the program folder read-only; false when the permission bits do
    // not stop this user (root, or a file system without them).
    bool lockProgramFolder() const
    {
        fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        const fs::path probe = program / "probe";
        if (!std::ofstream(probe))
            return true;
        fs::remove(probe);
        return false;
    }

    fs::path root, program, user;
};

#ifdef VARNOTH_HAS_FILE_SIZE_LIMIT
// Lets files grow to at most `bytes` while it lives; writing past that fails
// with EFBIG instead of raising SIGXFSZ. Unlike permission bits this stops
// root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
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
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};
#endif

} // namespace

TEST_F(SettingsLocation, ReadOnlyProgramFolderFallsBackToTheUserFolder)
{
    if (!lockProgramFolder())
        GTEST_SKIP() << "permission bits do not stop this user (running as root?); "
                        "the fallback itself is covered by SettingsFile.FallsBackWhenAFolderCannotBeWritten";
    const std::string written = writeSettings(folders(), "/home/me/uploads.log", 40, NumberFormat{});
    EXPECT_EQ(written, (user / "quillon.ini").string());
    EXPECT_EQ(contents(user / "quillon.ini"), "Quillon ini file 1\r\n/home/me/uploads.log\r\n 40 \r\n");
    EXPECT_EQ(entries(program), 0u);
    EXPECT_EQ(entries(user), 1u); // no temporary file left behind

    // The next start finds it there, and a second write replaces it in place.
    ASSERT_TRUE(readSettings(folders()));
    EXPECT_EQ(readSettings(folders())->logPath, "/home/me/uploads.log");
    writeSettings(folders(), "/home/me/other.log", 41, NumberFormat{});
    EXPECT_EQ(readSettings(folders())->logPath, "/home/me/other.log");
    EXPECT_EQ(entries(user), 1u);
}

TEST_F(SettingsLocation, AFailedWriteLeavesTheOldFileWhole)
{
#ifdef VARNOTH_HAS_FILE_SIZE_LIMIT
    put(program / "quillon.ini", besideProgram);
    const std::string longPath = "/" + std::string(200, 'x') + "/uploads.log";
    {
        // The new file stops growing part way through, in every folder.
        const FileSizeLimit limit(16);
        EXPECT_THROW(writeSettings(folders(), longPath, 99, NumberFormat{}), Failure);
    }
    EXPECT_EQ(contents(program / "quillon.ini"), besideProgram);
    EXPECT_EQ(entries(program), 1u); // the half-written temporary file is gone
    EXPECT_FALSE(fs::exists(user / "quillon.ini"));
    EXPECT_EQ(readSettings(folders())->logPath, "/beside/uploads.log");

    // With room again, the same write replaces the file whole.
    writeSettings(folders(), longPath, 99, NumberFormat{});
    EXPECT_EQ(readSettings(folders())->logPath, longPath);
    EXPECT_EQ(entries(program), 1u);
#else
    GTEST_SKIP() << "no file size limit on this system to make a write fail part way";
#endif
}
