// What a write does with each kind of thing at its path: files replaced
// whole with their mode kept, links written through, devices and FIFOs
// written where they are, folders, sockets, read-only files and the log
// being read refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "forms/failure.h"
#include "forms/output_file.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace varnoth;
namespace fs = std::filesystem;

namespace {

std::string contentOf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void put(const fs::path &path, const std::string &content, fs::perms mode = fs::perms(0644))
{
    std::ofstream(path, std::ios::binary) << content;
    fs::permissions(path, mode);
}

fs::perms modeOf(const fs::path &path)
{
    return fs::symlink_status(path).permissions();
}

struct Case {
    const char *name;
    // Makes what is at the path and gives the path to write (relative to the folder).
    std::function<std::string(const fs::path &dir)> prepare;
    const char *refusal; // the failure's words, or nullptr when the write goes through
    std::function<void(const fs::path &dir)> check;
};

const std::string log = "uploads.log";
const std::string written = "new content\n";

std::vector<Case> cases()
{
    return {
        {"a file, its mode kept",
         [](const fs::path &d) {
             put(d / "out.txt", "old", fs::perms(0600));
             return "out.txt";
         },
         nullptr,
         [](const fs::path &d) {
             EXPECT_EQ(contentOf(d / "out.txt"), written);
             EXPECT_EQ(modeOf(d / "out.txt"), fs::perms(0600));
         }},
        {"a new path", [](const fs::path &) { return "new.txt"; }, nullptr,
         [](const fs::path &d) { EXPECT_EQ(contentOf(d / "new.txt"), written); }},
        {"a link, written through",
         [](const fs::path &d) {
             fs::create_directory(d / "sub");
             put(d / "sub" / "target.txt", "old", fs::perms(0640));
             fs::create_symlink("sub/target.txt", d / "link");
             return "link";
         },
         nullptr,
         [](const fs::path &d) {
             EXPECT_TRUE(fs::is_symlink(d / "link"));
             EXPECT_EQ(contentOf(d / "sub" / "target.txt"), written);
             EXPECT_EQ(modeOf(d / "sub" / "target.txt"), fs::perms(0640));
         }},
        {"a link to a missing file",
         [](const fs::path &d) {
             fs::create_symlink("missing.txt", d / "dangling");
             return "dangling";
         },
         nullptr,
         [](const fs::path &d) {
             EXPECT_TRUE(fs::is_symlink(d / "dangling"));
             EXPECT_EQ(contentOf(d / "missing.txt"), written);
         }},
        {"a device", [](const fs::path &) { return "/dev/null"; }, nullptr,
         [](const fs::path &) { EXPECT_TRUE(fs::is_character_file("/dev/null")); }},
        {"a FIFO",
         [](const fs::path &d) {
             ::mkfifo((d / "fifo").c_str(), 0600);
             return "fifo";
         },
         nullptr, [](const fs::path &d) { EXPECT_TRUE(fs::is_fifo(d / "fifo")); }},
        {"a long name", [](const fs::path &) { return std::string(250, 'n'); }, nullptr,
         [](const fs::path &d) { EXPECT_EQ(contentOf(d / std::string(250, 'n')), written); }},
        {"a folder",
         [](const fs::path &d) {
             fs::create_directory(d / "folder");
             return "folder";
         },
         "Is a directory", nullptr},
        {"a missing folder", [](const fs::path &) { return "no/out.txt"; }, "No such file or directory", nullptr},
        {"the log itself", [](const fs::path &) { return log; }, isTheLogBeingRead, nullptr},
        {"a link to the log",
         [](const fs::path &d) {
             fs::create_symlink(log, d / "to-log");
             return "to-log";
         },
         isTheLogBeingRead, nullptr},
        {"a read-only file",
         [](const fs::path &d) {
             put(d / "ro.txt", "old", fs::perms(0444));
             return "ro.txt";
         },
         "Permission denied", nullptr},
        {"a socket",
         [](const fs::path &d) {
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             const std::string path = (d / "sock").string();
             path.copy(address.sun_path, sizeof address.sun_path - 1);
             const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
             ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address);
             ::close(fd);
             return "sock";
         },
         "is a socket", nullptr},
    };
}

} // namespace

TEST(OutputFile, EachKindOfTarget)
{
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.name);
        const fs::path dir = fs::temp_directory_path() / ("varnoth_output_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        put(dir / log, "the log");
        const fs::path path = dir / c.prepare(dir);
        // A FIFO is read as it is written.
        std::string fromFifo;
        std::thread reader;
        if (fs::is_fifo(path))
            reader = std::thread([&] { fromFifo = contentOf(path); });
        try {
            OutputFile file(path.string(), {(dir / log).string()});
            file.write("new ");
            file.write("content\n");
            file.commit();
            EXPECT_EQ(c.refusal, nullptr);
            if (c.check)
                c.check(dir);
        } catch (const FileFailure &failure) {
            const std::string words =
                failure.systemError() ? std::generic_category().message(failure.systemError()) : failure.description();
            EXPECT_STREQ(words.c_str(), c.refusal);
        }
        if (reader.joinable()) {
            reader.join();
            EXPECT_EQ(fromFifo, written);
        }
        // Nothing is left beside the target, and the log is whole.
        for (const auto &entry : fs::recursive_directory_iterator(dir))
            EXPECT_NE(entry.path().filename().string().substr(0, 1), ".") << entry.path();
        EXPECT_EQ(contentOf(dir / log), "the log");
        fs::remove_all(dir);
    }
}

TEST(OutputFile, AnAbandonedWriteLeavesTheFileAsItWas)
{
    const fs::path dir = fs::temp_directory_path() / ("varnoth_abandoned_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    put(dir / "out.txt", "old");
    {
        OutputFile file((dir / "out.txt").string());
        file.write(std::string(1 << 20, 'x'));
    }
    EXPECT_EQ(contentOf(dir / "out.txt"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

#endif
