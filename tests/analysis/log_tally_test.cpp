// A lasting tally: fed in pieces, several logs, compressed logs, streams,
// logs that are followed while they grow, and reads that are cancelled.
// Whatever the pieces and threads, the report is that of one read of the
// whole.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>
#include <zlib.h>

#include <sys/stat.h>
#include <unistd.h>

#include "analysis/drilldown.h"
#include "analysis/gzip_stream.h"
#include "analysis/log_order.h"
#include "analysis/log_tally.h"
#include "test_logs.h"
#include "wording/messages.h"

using namespace varnoth;
using namespace varnoth::test;
namespace fs = std::filesystem;

namespace {

// A folder of its own for the logs of one test.
class Folder {
public:
    Folder()
    {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("varnoth_tally_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const std::string &name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

void write(const std::string &path, const std::string &bytes, std::ios::openmode mode = std::ios::trunc)
{
    std::ofstream(path, std::ios::binary | mode) << bytes;
}

void append(const std::string &path, const std::string &bytes)
{
    write(path, bytes, std::ios::app);
}

std::string gzipped(const std::string &bytes, int members = 1)
{
    std::string out;
    const std::size_t step = bytes.size() / members + 1;
    for (std::size_t at = 0; at < bytes.size() || (at == 0 && bytes.empty()); at += step) {
        const std::string piece = bytes.substr(at, step);
        z_stream z{};
        deflateInit2(&z, 6, Z_DEFLATED, 16 + 15, 8, Z_DEFAULT_STRATEGY);
        std::string member(deflateBound(&z, piece.size()) + 32, '\0');
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(piece.data()));
        z.avail_in = static_cast<uInt>(piece.size());
        z.next_out = reinterpret_cast<Bytef *>(member.data());
        z.avail_out = static_cast<uInt>(member.size());
        deflate(&z, Z_FINISH);
        member.resize(z.total_out);
        deflateEnd(&z);
        out += member;
        if (bytes.empty())
            break;
    }
    return out;
}

AnalysisOptions threads(unsigned n)
{
    return AnalysisOptions{NumberFormat{".", ","}, n, {}};
}

std::string reportOf(const LogTally &tally, LogTally::LastLine lastLine = LogTally::LastLine::End)
{
    return describe(tally.report(lastLine));
}

// Upload lines in a report, or -1 for a report that did not complete.
std::int64_t uploadsIn(const LogTally &tally, LogTally::LastLine lastLine = LogTally::LastLine::End)
{
    const auto outcome = tally.report(lastLine);
    const AnalysisReport *report = completed(outcome);
    return report ? report->lineCount : -1;
}

const std::string good = uploadLine("C:\\a\\b.txt", "Bob", "100", "0:00:01");

} // namespace

// Pieces cut at random bytes (inside lines, between CR and LF, inside
// multi-byte characters, at blank lines), each appended and read: the
// report is that of reading the whole at once.
TEST(LogTally, PiecesGiveTheReportOfTheWhole)
{
    Folder folder;
    const std::string path = folder.file("uploads.log");
    for (unsigned seed : {1u, 2u, 3u}) {
        const std::string whole = mixedLog(seed, 600);
        const std::string expected = describe(analyzeLog(LogInput::inMemory(whole), threads(1)));
        std::vector<std::size_t> cuts;
        // Every CR LF pair of the first lines is cut in two, then random bytes.
        for (std::size_t at = whole.find("\r\n"); at != std::string::npos && cuts.size() < 20;
             at = whole.find("\r\n", at + 2))
            cuts.push_back(at + 1);
        std::mt19937 random(seed);
        while (cuts.size() < 80)
            cuts.push_back(random() % whole.size());
        std::sort(cuts.begin(), cuts.end());
        cuts.push_back(whole.size());
        for (unsigned n : {1u, 2u, 3u}) {
            for (ReadMethod method : {ReadMethod::Map, ReadMethod::Buffer}) {
                AnalysisOptions options = threads(n);
                options.readMethod = method;
                write(path, "");
                LogTally tally({path}, options, 97);
                std::size_t written = 0;
                for (std::size_t cut : cuts) {
                    append(path, whole.substr(written, cut - written));
                    written = cut;
                    const auto read = tally.read(LogTally::Reading::Follow);
                    ASSERT_TRUE(completed(read) || std::holds_alternative<Corrupted>(read)) << cut;
                }
                EXPECT_EQ(reportOf(tally), expected) << "seed " << seed << " threads " << n;
            }
        }
    }
}

// Logs read as one: the report of their concatenation, a log without a
// final line end ending its last line; a corrupted line named by its log
// and its line in that log.
TEST(LogTally, SeveralLogsAreReadAsTheirConcatenation)
{
    Folder folder;
    const std::string a = mixedLog(4, 200), b = mixedLog(5, 150) + good.substr(0, good.size() - 2),
                      c = mixedLog(6, 120);
    write(folder.file("a.log"), a);
    write(folder.file("b.log"), b);
    write(folder.file("c.log.gz"), gzipped(c));
    // Each log may begin with a byte order mark of its own.
    const std::string expected =
        describe(analyzeLog(LogInput::inMemory(a + b.substr(3) + "\n" + c.substr(3)), threads(1)));
    for (unsigned n : {1u, 2u, 3u}) {
        LogTally tally({folder.file("a.log"), folder.file("b.log"), folder.file("c.log.gz")}, threads(n), 300);
        ASSERT_TRUE(completed(tally.read()));
        EXPECT_EQ(reportOf(tally), expected) << n;
    }

    write(folder.file("b.log"), good + good + "not an upload line\r\n" + good);
    const AnalysisOutcome broken = analyzeLogs({folder.file("a.log"), folder.file("b.log")}, threads(2));
    EXPECT_EQ(messages::failureMessage(broken),
              "Corrupted data found at line 3 of " + folder.file("b.log") + ". Quitting...");
    // With one log the message stays as it always was.
    EXPECT_EQ(messages::failureMessage(analyzeLog(folder.file("b.log"), threads(2))),
              "Corrupted data found at line 3. Quitting...");
}

// A gzip log, in one member or several, gives the report of the plain log;
// one cut short or damaged cannot be read.
TEST(LogTally, CompressedLogs)
{
    Folder folder;
    const std::string plain = mixedLog(7, 500);
    const std::string expected = describe(analyzeLog(LogInput::inMemory(plain), threads(1)));
    const std::string path = folder.file("uploads.log.2");
    for (int members : {1, 3}) {
        write(path, gzipped(plain, members));
        EXPECT_EQ(describe(analyzeLog(path, threads(2))), expected) << members;
    }
    const std::string compressed = gzipped(plain);
    write(path, compressed.substr(0, compressed.size() / 2));
    EXPECT_EQ(messages::failureMessage(analyzeLog(path, threads(2))),
              messages::generalFailure(failures::compressedLogEndsEarly));
    std::string damaged = compressed;
    damaged[damaged.size() - 6] ^= 0x55; // the checksum
    write(path, damaged);
    EXPECT_EQ(messages::failureMessage(analyzeLog(path, threads(2))),
              messages::generalFailure(failures::compressedLogDamaged));
}

// A pipe is read once as it comes, its work still spread over the threads.
TEST(LogTally, AStreamGivesTheReportOfTheFile)
{
    Folder folder;
    const std::string plain = mixedLog(8, 3000);
    const std::string expected = describe(analyzeLog(LogInput::inMemory(plain), threads(1)));
    const std::string fifo = folder.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] { write(fifo, plain); });
    EXPECT_EQ(describe(analyzeLog(fifo, threads(2))), expected);
    writer.join();
}

// Following a log: a half-written last line waits and is never called
// corrupted; a log rotated at its path is read to its end and then from its
// new start; a corrupted appended line stops the read and keeps the counts.
TEST(LogTally, FollowingALog)
{
    Folder folder;
    const std::string path = folder.file("uploads.log");
    write(path, good + good.substr(0, 30));
    LogTally tally({path}, threads(2));
    ASSERT_TRUE(completed(tally.read(LogTally::Reading::Follow)));
    EXPECT_EQ(uploadsIn(tally, LogTally::LastLine::Wait), 1);
    EXPECT_EQ(uploadsIn(tally, LogTally::LastLine::IfWhole), 1);
    EXPECT_TRUE(std::holds_alternative<Corrupted>(tally.report(LogTally::LastLine::End)));

    append(path, good.substr(30));
    auto read = tally.read(LogTally::Reading::Follow);
    ASSERT_TRUE(completed(read));
    EXPECT_EQ(completed(read)->uploads, 1);
    EXPECT_FALSE(completed(read)->fromStart);
    EXPECT_EQ(uploadsIn(tally), 2);

    // Rotated: two more lines reach the old file, then a new one begins.
    append(path, good + good);
    fs::rename(path, folder.file("uploads.log.1"));
    write(path, uploadLine("C:\\n\\new.txt", "Ann", "5", "0:00:02"));
    read = tally.read(LogTally::Reading::Follow);
    ASSERT_TRUE(completed(read));
    EXPECT_EQ(completed(read)->uploads, 3);
    const auto rotated = tally.report();
    ASSERT_TRUE(completed(rotated));
    EXPECT_EQ(completed(rotated)->lineCount, 5);
    EXPECT_EQ(completed(rotated)->downloaders.size(), 2u);

    // Begun anew in place, shorter than what was read.
    write(path, uploadLine("C:\\x.txt", "Al", "1", "0:00:01"));
    read = tally.read(LogTally::Reading::Follow);
    ASSERT_TRUE(completed(read));
    EXPECT_EQ(uploadsIn(tally), 6);

    const std::string before = reportOf(tally);
    append(path, good + "2003-06-14 21:05: broken\r\n" + good);
    read = tally.read(LogTally::Reading::Follow);
    ASSERT_TRUE(std::holds_alternative<Corrupted>(read));
    EXPECT_EQ(messages::followingStopped(std::get<Corrupted>(read)),
              "Corrupted data found at line 3. Following stopped.");
    EXPECT_EQ(reportOf(tally), before);
}

// Following reads on where each log stopped, its lines counted per stretch
// read: the last of several logs grown, and a rotation to a new file whose
// last line is half written (it waits, and a later corrupted line is
// numbered within the new file).
TEST(LogTally, FollowingReadsOnFromEachLogsMark)
{
    Folder folder;
    const std::string older = folder.file("uploads.log.1"), path = folder.file("uploads.log");
    for (unsigned n : {1u, 2u}) {
        write(older, good + good);
        write(path, good);
        LogTally several({older, path}, threads(n));
        ASSERT_TRUE(completed(several.read(LogTally::Reading::Follow)));
        append(path, good + good);
        ASSERT_TRUE(completed(several.read(LogTally::Reading::Follow)));
        EXPECT_EQ(uploadsIn(several), 5) << n;
    }

    write(path, good);
    LogTally one({path}, threads(2));
    ASSERT_TRUE(completed(one.read(LogTally::Reading::Follow)));
    fs::rename(path, older);
    write(path, good + good.substr(0, 30));
    ASSERT_TRUE(completed(one.read(LogTally::Reading::Follow)));
    EXPECT_EQ(uploadsIn(one, LogTally::LastLine::Wait), 2);
    append(path, good.substr(30) + good);
    ASSERT_TRUE(completed(one.read(LogTally::Reading::Follow)));
    EXPECT_EQ(uploadsIn(one), 4);
    append(path, "2003-06-14 21:05: broken\r\n");
    const auto broken = one.read(LogTally::Reading::Follow);
    ASSERT_TRUE(std::holds_alternative<Corrupted>(broken));
    EXPECT_EQ(std::get<Corrupted>(broken).line, 4u);
}

// Refresh: nothing appended reads nothing; a log written anew is read from
// its start; a drill-down reads the bytes the results came from.
TEST(LogTally, Refreshing)
{
    Folder folder;
    const std::string path = folder.file("uploads.log");
    write(path, good + good);
    LogTally tally({path}, threads(2));
    ASSERT_TRUE(completed(tally.read()));
    auto read = tally.read();
    ASSERT_TRUE(completed(read));
    EXPECT_FALSE(completed(read)->anythingNew());

    append(path, good);
    const auto views = personalRows(tally.extents(), "Bob", threads(2));
    ASSERT_TRUE(completed(views));
    EXPECT_EQ(completed(views)->size(), 2u); // the appended line is not in the results yet

    write(path, uploadLine("C:\\x\\y.txt", "Cy", "7", "0:00:03") + good + good);
    read = tally.read();
    ASSERT_TRUE(completed(read));
    EXPECT_TRUE(completed(read)->fromStart);
    const auto renewed = tally.report();
    ASSERT_TRUE(completed(renewed));
    EXPECT_EQ(completed(renewed)->downloaders.size(), 2u);
}

// A cancelled read changes nothing and ends soon.
TEST(LogTally, ACancelledReadChangesNothing)
{
    Folder folder;
    const std::string path = folder.file("uploads.log");
    write(path, mixedLog(9, 200));
    LogTally tally({path}, threads(2));
    ASSERT_TRUE(completed(tally.read()));
    const std::string before = reportOf(tally);
    std::string more;
    while (more.size() < (std::size_t{40} << 20))
        more += mixedLog(10, 20000);
    append(path, more);
    std::stop_source stop;
    std::atomic<bool> asked{false};
    const auto progress = [&](const Progress &) {
        if (!asked.exchange(true))
            stop.request_stop();
    };
    const auto read = tally.read(LogTally::Reading::Refresh, progress, stop.get_token());
    EXPECT_TRUE(std::holds_alternative<Cancelled>(read));
    EXPECT_EQ(reportOf(tally), before);
    EXPECT_TRUE(completed(tally.read()));
}

// Logs chosen together are read oldest first by their first dated line,
// whatever their names and compression; undated ones last, by name.
TEST(LogTally, LogsAreOrderedByTheirFirstDatedLine)
{
    Folder folder;
    auto dated = [](const std::string &date) {
        std::string line = good;
        return line.replace(0, 10, date);
    };
    write(folder.file("Uploads-2004-02.log"), "\r\n" + dated("2004-02-01") + dated("2004-02-09"));
    write(folder.file("Uploads-2004-01.log"), "x003-01-01 broken\r\n" + dated("2004-01-03"));
    write(folder.file("uploads.log.2.gz"), gzipped(dated("2003-12-30")));
    write(folder.file("b-notes.log"), "nothing dated\n");
    write(folder.file("a-notes.log"), "");
    std::vector<LogInput> chosen;
    for (const char *name :
         {"b-notes.log", "Uploads-2004-02.log", "a-notes.log", "uploads.log.2.gz", "Uploads-2004-01.log"})
        chosen.emplace_back(folder.file(name));
    std::vector<std::string> order;
    for (const LogInput &log : inReadingOrder(chosen))
        order.push_back(fs::path(log.path()).filename().string());
    EXPECT_EQ(order, (std::vector<std::string>{"uploads.log.2.gz", "Uploads-2004-01.log", "Uploads-2004-02.log",
                                               "a-notes.log", "b-notes.log"}));
}
