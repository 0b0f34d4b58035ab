// A log read in parts on several threads gives exactly what one thread
// reading it whole gives: every row, tie, total (to the last bit), message
// and line number, for the run and for both drill-downs. Small part sizes
// put the parts' edges on every kind of place in small logs: inside a CR LF
// pair, on blank lines, on corrupted lines, inside multi-byte characters,
// inside a line at the reader's length limit.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <random>
#include <sstream>

#include "analysis/analysis_run.h"
#include "analysis/drilldown.h"
#include "wording/messages.h"
#include "forms/line_reader.h"
#include "test_logs.h"

using namespace varnoth;
using varnoth::test::uploadLine;

namespace {

std::string bits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

std::string timeText(const UploadTime &t)
{
    return std::to_string(t.hours) + ":" + std::to_string(t.minutes) + ":" + std::to_string(t.seconds);
}

// Everything an outcome holds, doubles to the bit.
std::string describe(const AnalysisOutcome &outcome)
{
    const AnalysisReport *r = completed(outcome);
    if (!r)
        return messages::failureMessage(outcome);
    std::ostringstream out;
    out << r->lineCount << "\n";
    for (const DownloaderRow &d : r->downloaders)
        out << d.nick << "|" << d.uploads << "|" << bits(d.megabytes) << "|" << timeText(d.uploadTime) << "\n";
    for (const FolderRow &f : r->folders)
        out << f.folder << "|" << f.accesses << "\n";
    for (const FileRow &f : r->files)
        out << f.file << "|" << f.uploads << "\n";
    const Summary &s = r->summary;
    out << bits(s.totalMegabytes) << " " << bits(s.fileListMegabytes) << " " << s.fileListUploads << " "
        << s.totalFolderAccesses << " " << timeText(s.totalUploadTime) << "\n";
    for (const DayActivity &day : r->activity.days)
        out << day.date.text() << " " << day.count.uploads << " " << bits(day.count.bytes) << " "
            << bits(day.count.seconds) << "\n";
    for (const ActivityCount &hour : r->activity.hours)
        out << hour.uploads << " " << bits(hour.bytes) << " " << bits(hour.seconds) << "\n";
    out << r->activity.undated << "\n";
    return out.str();
}

template <class Rows> std::string describeRows(const Outcome<Rows> &outcome)
{
    const Rows *rows = completed(outcome);
    if (!rows)
        return messages::failureMessage(outcome) +
               std::to_string(std::get_if<Corrupted>(&outcome) ? std::get<Corrupted>(outcome).line : 0);
    std::ostringstream out;
    for (const auto &row : *rows) {
        if constexpr (std::is_same_v<Rows, std::vector<PersonalUpload>>)
            out << row.file << "|" << bits(row.megabytes) << "|" << row.duration << "\n";
        else
            out << row.nick << "|" << row.duration << "|" << row.dateTime << "\n";
    }
    return out.str();
}

// A log of many kinds of lines: line ends of every kind, blank lines, a
// byte order mark, UTF-8 and Windows-1252 text, partial and fractional byte
// counts, file lists, durations of every form (odd ones included), dates
// over several days and none.
std::string mixedLog(unsigned seed, std::size_t lines)
{
    std::mt19937 random(seed);
    const char *paths[] = {"C:\\Share\\a.mp3",
                           "C:\\Share\\b.mp3",
                           "D:\\Filme\\Über\\c.avi",
                           "E:\\日本\\d.mkv",
                           "C:\\Share\\M\xfcsik\\e.ogg",
                           "MyList.bz2",
                           "MyList.DcLst",
                           "song.mp3",
                           "/home/u/f.flac"};
    const char *nicks[] = {"Bob", "Zoë", "ひかり", "J\xf6rg", "Ko,bra", "bob"};
    const char *bytes[] = {"4123456", "1500000", "123456", "0.5", "1e3", "999999999999", "-7", "12.25"};
    const char *durations[] = {"0:03:12", "0:59:59", "0:00:01", "10:00:01", "0:99:99", "1:2.:.5", "0:-5:30", "3:00:00"};
    const char *ends[] = {"\r\n", "\n", "\r"};
    std::string log = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < lines; ++i) {
        if (random() % 9 == 0)
            log += random() % 2 ? " \t" : "";
        else {
            std::string line =
                uploadLine(paths[random() % std::size(paths)], nicks[random() % std::size(nicks)],
                           bytes[random() % std::size(bytes)], durations[random() % std::size(durations)]);
            line.resize(line.size() - 2);
            if (random() % 3 == 0)
                line.replace(8, 2, std::to_string(10 + random() % 5));
            if (random() % 17 == 0)
                line.replace(0, 4, "x003");
            log += line;
        }
        log += ends[random() % std::size(ends)];
    }
    return log;
}

struct Log {
    const char *name;
    std::string bytes;
};

std::vector<Log> logs()
{
    const std::string good = uploadLine("C:\\a\\b.txt", "Bob", "100", "0:00:01");
    std::string longLine = good.substr(0, good.size() - 2);
    longLine.insert(22, std::string(LineReader::maxLineBytes - longLine.size(), 'p'));
    // Ann first appears in a later part and ties with Bob in every key: Bob stays first.
    std::string ties;
    for (int i = 0; i < 40; ++i)
        ties += uploadLine("C:\\s\\" + std::to_string(i % 3), i < 20 ? "Bob" : "Ann", "1000", "0:00:01");
    return {
        {"Mixed", mixedLog(1, 400)},
        {"MixedLong", mixedLog(2, 3000)},
        {"Ties", ties},
        {"CorruptedLines", mixedLog(3, 100) + "not an upload line\r\n" + mixedLog(4, 50) + "neither\n"},
        {"CorruptedAfterBlankLines", good + "\r\n\r\n\n" + good + "2003-06-14 21:05: C:\\x uploaded to ,\r\n" + good},
        {"LineAtTheLengthLimit", good + longLine + "\r\n" + good},
        {"LineBeyondTheLengthLimit", good + longLine + "pp\r\n" + good},
        {"NoFolders", uploadLine("MyList.bz2", "Bob", "100", "0:00:01") + uploadLine("x.mp3", "Ann", "5", "0:00:01")},
    };
}

struct Variant {
    unsigned threads;
    std::uint64_t partBytes;
};

// One part per thread, and parts of sizes that put their edges everywhere
// in a small log (fewer of them in a large one, where each costs a scan).
std::vector<Variant> variants(std::uint64_t size)
{
    std::vector<Variant> out = {{1, 0}, {2, 0}, {3, 0}, {8, 0}};
    const std::uint64_t mostParts = size > 65536 ? 64 : 20000;
    for (std::uint64_t part : {std::uint64_t{4}, std::uint64_t{5}, std::uint64_t{7}, std::uint64_t{13},
                               std::uint64_t{31}, std::uint64_t{64}, std::uint64_t{127}, std::uint64_t{300},
                               std::uint64_t{1000}, std::uint64_t{4099}, size / 3 + 1, size / 2 - 5}) {
        if (part >= 4 && size / part <= mostParts) {
            for (unsigned threads : {1u, 2u, 3u, 8u})
                out.push_back({threads, part});
        }
    }
    return out;
}

} // namespace

TEST(ThreadCount, RunsAndDrilldownsAreThoseOfOneThread)
{
    for (const Log &log : logs()) {
        const LogInput input = LogInput::inMemory(log.bytes);
        AnalysisOptions one{NumberFormat{".", ","}, 1, {}};
        const AnalysisOutcome whole = analyzeLog(input, one);
        const std::string expected = describe(whole);
        std::string nick = "Bob", file = "C:\\Share\\a.mp3 ";
        if (const AnalysisReport *r = completed(whole)) {
            nick = r->downloaders.back().nick;
            file = r->files.front().file;
        }
        const std::string personal = describeRows(personalRows(input, nick, one));
        const std::string files = describeRows(fileRows(input, file, one));
        for (const Variant &v : variants(log.bytes.size())) {
            AnalysisOptions options = one;
            options.threads = v.threads;
            const std::string where = std::string(log.name) + " threads " + std::to_string(v.threads) + " parts of " +
                                      std::to_string(v.partBytes);
            // The second pass starts knowing the upload lines of the whole
            // log; progress comes from one thread at a time.
            std::int64_t lineCount = -1;
            std::atomic<int> inside{0};
            const auto progress = [&](const Progress &p) {
                EXPECT_EQ(inside.fetch_add(1), 0) << where;
                if (p.phase == RunPhase::ReadingInformation && lineCount < 0)
                    lineCount = p.lineCount;
                inside.fetch_sub(1);
            };
            const AnalysisOutcome outcome = analyzeLog(input, options, progress, v.partBytes);
            ASSERT_EQ(describe(outcome), expected) << where;
            if (const AnalysisReport *r = completed(outcome)) {
                EXPECT_EQ(lineCount, r->lineCount) << where;
            }
            ASSERT_EQ(describeRows(personalRows(input, nick, options, {}, v.partBytes)), personal) << where;
            ASSERT_EQ(describeRows(fileRows(input, file, options, {}, v.partBytes)), files) << where;
        }
    }
}

TEST(ThreadCount, TiesKeepTheOrderOfFirstAppearance)
{
    const AnalysisOutcome outcome =
        analyzeLog(LogInput::inMemory(logs()[2].bytes), {NumberFormat::c(), 4, {}}, {}, 100);
    ASSERT_TRUE(completed(outcome));
    EXPECT_EQ(completed(outcome)->downloaders[0].nick, "Bob");
    EXPECT_EQ(completed(outcome)->downloaders[1].nick, "Ann");
}
