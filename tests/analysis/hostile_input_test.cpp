// Hostile and damaged logs: each row is a log and the exact outcome of a
// whole analysis run, either the message that ends the program or a completed
// run with its key figures. Every row also checks that memory stays bounded
// (the line reader caps a line at LineReader::maxLineBytes) and that the
// settings file is left exactly as it was.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "analysis/analysis_run.h"
#include "bench/peak_memory.h"
#include "forms/file_exists.h"
#include "forms/line_reader.h"
#include "forms/settings_file.h"
#include "test_logs.h"
#include "wording/messages.h"

using namespace varnoth;
using varnoth::test::uploadLine;

namespace {

namespace fs = std::filesystem;

struct Expected {
    std::string message;        // empty for a completed run
    std::int64_t lineCount = 0; // the figures of a completed run
    std::int64_t files = 0;
    std::int64_t folders = 0;
    std::string firstNick; // grid1's top downloader
};

Expected ends(const std::string &message)
{
    return {message, 0, 0, 0, ""};
}

Expected completes(std::int64_t lineCount, std::int64_t files, std::int64_t folders, const std::string &firstNick)
{
    return {"", lineCount, files, folders, firstNick};
}

// How a row's log comes to be: it writes the file (in pieces, so that a
// huge log does not inflate the test's own memory) and may then change it.
using Writer = std::function<void(const std::string &path)>;

struct Row {
    const char *name;
    Writer write;
    Expected expected;
};

void writeText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

Writer text(std::string content)
{
    return [content](const std::string &path) { writeText(path, content); };
}

// Bytes of a fixed pseudo-random sequence (xorshift), the same on every system.
Writer randomBytes(std::size_t size)
{
    return [size](const std::string &path) {
        std::string bytes(size, '\0');
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        for (char &c : bytes) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            c = static_cast<char>(x >> 56);
        }
        writeText(path, bytes);
    };
}

// A line of `bytes` copies of c, written a mebibyte at a time, then `tail`.
Writer hugeLine(std::size_t bytes, char c, std::string tail = "")
{
    return [bytes, c, tail](const std::string &path) {
        std::ofstream out(path, std::ios::binary);
        const std::string block(std::size_t{1} << 20, c);
        for (std::size_t left = bytes; left > 0;) {
            const std::size_t n = std::min(left, block.size());
            out.write(block.data(), static_cast<std::streamsize>(n));
            left -= n;
        }
        out << tail;
    };
}

// An upload line without its line break.
std::string bare(const std::string &line)
{
    return line.substr(0, line.size() - 2);
}

// An upload line (without its line break) exactly `length` bytes long, its path padded.
std::string lineOfLength(std::size_t length)
{
    std::string line = bare(uploadLine("C:\\Share\\", "Bob", "100", "0:00:01"));
    line.insert(18 + 9, std::string(length - line.size(), 'p'));
    return line;
}

const std::string good = uploadLine("C:\\Share\\a.mp3", "Bob", "4123456", "0:03:12");
const std::string corruptedLine1 = "Corrupted data found at line 1. Quitting...";
const std::string noFiles = "No uploaded files or folders found or all files are (MyLists) Quitting...";

std::vector<Row> rows()
{
    return {
        {"RandomBinaryBytes", randomBytes(64 * 1024), ends(corruptedLine1)},
        {"NulBytesInsideThePath",
         text(uploadLine(std::string("C:\\Sh") + '\0' + "are\\a.mp3", "Bob", "100", "0:00:01") + good),
         completes(2, 2, 2, "Bob")},
        {"NulByteInsideTheDuration",
         text(good + uploadLine("C:\\a.mp3", "Bob", "100", std::string("0:0") + '\0' + "1")),
         ends("Corrupted data found at line 2. Quitting...")},
        {"InvalidUtf8IsReadAsWindows1252", text(uploadLine("C:\\M\xc3\x28sik\\a.mp3", "J\xf6rg", "100", "0:00:01")),
         completes(1, 1, 1, "J\xc3\xb6rg")},
        {"FiftyMegabyteLineWithoutALineBreak", hugeLine(50'000'000, 'x'), ends(corruptedLine1)},
        {"FiftyMegabytesOfCommasInOneLine", hugeLine(50'000'000, ','), ends(corruptedLine1)},
        {"FileEndsInTheMiddleOfALine", text(good + "2003-06-14 21:05: C:\\b.mp3 uploaded to Bo"),
         ends("Corrupted data found at line 2. Quitting...")},
        {"FileEndsAfterTheLastDurationWithoutALineBreak", text(good + bare(good)), completes(2, 1, 1, "Bob")},
        {"OnlyCommas", text(std::string(1000, ',') + "\r\n" + std::string(1000, ',') + "\r\n"), ends(corruptedLine1)},
        {"OnlyTheMarker", text([] {
             std::string s;
             for (int i = 0; i < 50; ++i)
                 s += " uploaded to";
             return s + "\r\n";
         }()),
         ends(corruptedLine1)},
        {"LineOf255Characters", text(lineOfLength(255) + "\r\n"), completes(1, 1, 1, "Bob")},
        {"LineOf100000Characters", text(lineOfLength(100'000) + "\r\n"), completes(1, 1, 1, "Bob")},
        {"LineLongerThanTheReaderTakes", text(good + lineOfLength(LineReader::maxLineBytes + 1) + "\r\n" + good),
         ends("Corrupted data found at line 2. Quitting...")},
        // Blanks cannot hide an over-long line: it is a line that cannot be read.
        {"LongLineStartingWithAMebibyteOfBlanks",
         hugeLine(LineReader::maxLineBytes + 10, ' ', bare(good) + "\r\n" + good), ends(corruptedLine1)},
        {"CarriageReturnOnlyLineEnds",
         text(bare(good) + "\r" + bare(uploadLine("D:\\b.ogg", "Anna", "1", "0:00:01")) + "\r" + bare(good) + "\r"),
         completes(3, 2, 2, "Bob")},
        {"EmptyFile", text(""), ends(noFiles)},
        {"OnlyBlankLines", text("\r\n  \t \r\n\n\r"), ends(noFiles)},
        {"OnlyAByteOrderMark", text("\xEF\xBB\xBF"), ends(noFiles)},
        {"FileDisappearsAfterThePathCheck",
         [](const std::string &path) {
             writeText(path, good);
             ASSERT_TRUE(fileExists(path));
             fs::remove(path);
         },
         ends("Following error has occured : File not found. Quitting...")},
        {"FileWithoutReadPermission",
         [](const std::string &path) {
             writeText(path, good);
             fs::permissions(path, fs::perms::none);
         },
         ends("Following error has occured : Permission denied. Quitting...")},
    };
}

// Names the row in test listings instead of dumping its bytes.
void PrintTo(const Row &row, std::ostream *out)
{
    *out << row.name;
}

class HostileInput : public testing::TestWithParam<Row> {};

std::string fileBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Whether varnoth-bench writes the same --dump, --activity, --personal and
// --file outputs for a log read mapped and through a buffer.
bool sameThroughEitherReader(const std::string &log)
{
    const std::string quoted = "'" + log + "'";
    for (const std::string mode :
         {"--dump", "--activity", "--personal Bob", "--personal 'Ko,bra'", "--file 'C:\\Share\\a.mp3 '"}) {
        const std::string mapped = varnoth::test::runBench("--read mapped " + mode + " " + quoted);
        if (mapped.empty() || mapped != varnoth::test::runBench("--read buffered " + mode + " " + quoted))
            return false;
    }
    return true;
}

TEST(EitherReader, RealisticLogsGiveTheSameOutputs)
{
    const varnoth::test::TempLog mixed(varnoth::test::mixedLog(11, 5000));
    EXPECT_TRUE(sameThroughEitherReader(mixed.path()));
    EXPECT_TRUE(sameThroughEitherReader(VARNOTH_SAMPLE_LOG));
}

TEST_P(HostileInput, EndsAsExpected)
{
    const Row &row = GetParam();
#if defined(__unix__) || defined(__APPLE__)
    // Root reads any file whatever its permissions, so this row cannot be
    // staged for root (as CI containers often run).
    if (std::string(row.name) == "FileWithoutReadPermission" && ::geteuid() == 0)
        GTEST_SKIP() << "running as root: a file without read permission is still readable";
#endif
    // One folder per row and process, so that test runs side by side do not meet.
    std::string unique = row.name;
#if defined(__unix__) || defined(__APPLE__)
    unique += "_" + std::to_string(::getpid());
#endif
    const fs::path folder = fs::temp_directory_path() / ("varnoth_hostile_" + unique);
    fs::remove_all(folder);
    fs::create_directories(folder);
    const NumberFormat format{".", ","};
    const std::string settingsPath = writeSettings({folder.string()}, "C:\\logs\\uploads.log", 1234);
    const std::string settingsBefore = fileBytes(settingsPath);

    const std::string log = (folder / "uploads.log").string();
    row.write(log);
    const std::uint64_t memoryBefore = bench::peakMemoryBytes();

    // The same outcome whatever the number of threads that read the log,
    // through a buffer or mapped. Through a buffer lines are held one at a
    // time, a long one cut at the reader's limit, by each thread (a mapped
    // log's pages belong to the page cache: they come last, as they count
    // in the process's peak).
    constexpr unsigned mostThreads = 8;
    for (ReadMethod method : {ReadMethod::Buffer, ReadMethod::Map}) {
        for (unsigned threads : {1u, 2u, 3u, mostThreads}) {
            AnalysisOptions options{format, threads, {}};
            options.readMethod = method;
            const AnalysisOutcome outcome = analyzeLog(log, options);
            EXPECT_EQ(messages::failureMessage(outcome), row.expected.message) << threads;
            if (const AnalysisReport *report = completed(outcome)) {
                EXPECT_EQ(report->lineCount, row.expected.lineCount);
                EXPECT_EQ(report->summary.differentFiles, row.expected.files);
                EXPECT_EQ(report->summary.differentFolders, row.expected.folders);
                ASSERT_FALSE(report->downloaders.empty());
                EXPECT_EQ(report->downloaders[0].nick, row.expected.firstNick);
            }
        }
        if (method == ReadMethod::Buffer && memoryBefore != 0) {
            EXPECT_LT(bench::peakMemoryBytes() - memoryBefore, (4 + 2 * mostThreads) * LineReader::maxLineBytes);
        }
    }
    // Mapped and through a buffer, every output is the same to the byte.
    EXPECT_TRUE(sameThroughEitherReader(log)) << row.name;
    EXPECT_EQ(fileBytes(settingsPath), settingsBefore);

    std::error_code ignored;
    fs::permissions(log, fs::perms::owner_all, ignored);
    fs::remove_all(folder, ignored);
}

INSTANTIATE_TEST_SUITE_P(Logs, HostileInput, testing::ValuesIn(rows()),
                         [](const testing::TestParamInfo<Row> &info) { return std::string(info.param.name); });

} // namespace
