// A log read in parts on several threads gives exactly what one thread
// reading it whole gives: every row, tie, total (to the last bit), message
// and line number, for the run and for both drill-downs. Small part sizes
// put the parts' edges on every kind of place in small logs: inside a CR LF
// pair, on blank lines, on corrupted lines, inside multi-byte characters,
// inside a line at the reader's length limit.

#include <gtest/gtest.h>

#include <atomic>

#include "analysis/analysis_run.h"
#include "analysis/drilldown.h"
#include "forms/line_reader.h"
#include "test_logs.h"
#include "wording/messages.h"

using namespace varnoth;
using varnoth::test::describe;
using varnoth::test::describeRows;
using varnoth::test::mixedLog;
using varnoth::test::uploadLine;

namespace {

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
