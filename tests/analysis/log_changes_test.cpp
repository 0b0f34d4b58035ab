// A log truncated, shortened or replaced at random moments while it is
// read, mapped or through a buffer: no signal ends the process, and the
// outcome is the report of the whole log, or "The log changed while it was
// read", or (when the change came before the read began) the report of the
// log as the change left it; never a line the log no longer has.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#include "analysis/analysis_run.h"
#include "test_logs.h"
#include "wording/messages.h"

using namespace varnoth;
using namespace varnoth::test;
namespace fs = std::filesystem;

TEST(LogChanges, AReadEndsWholeOrSaysTheLogChanged)
{
    const fs::path folder = fs::temp_directory_path() / ("varnoth_changes_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string path = (folder / "uploads.log").string();
    std::string content;
    while (content.size() < (std::size_t{24} << 20))
        content += mixedLog(static_cast<unsigned>(content.size()), 5000).substr(3);
    const AnalysisOptions one{NumberFormat{".", ","}, 1, {}};
    const std::string whole = describe(analyzeLog(LogInput::inMemory(content), one));

    enum class Change { Truncate, Shorten, Replace };
    std::mt19937 random(7);
    int changed = 0;
    for (ReadMethod method : {ReadMethod::Map, ReadMethod::Buffer}) {
        for (unsigned threads : {1u, 2u, 3u}) {
            for (Change change : {Change::Truncate, Change::Shorten, Change::Replace}) {
                for (int round = 0; round < 3; ++round) {
                    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
                    AnalysisOptions options = one;
                    options.threads = threads;
                    options.readMethod = method;
                    AnalysisOutcome outcome;
                    std::thread reader([&] { outcome = analyzeLog(path, options, [](const Progress &) {}); });
                    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 60));
                    if (change == Change::Replace) {
                        const std::string other = (folder / "other.log").string();
                        std::ofstream(other, std::ios::binary) << content.substr(0, content.size() / 3);
                        fs::rename(other, path);
                    } else {
                        const off_t size = change == Change::Truncate ? static_cast<off_t>(random() % content.size())
                                                                      : static_cast<off_t>(content.size() / 2);
                        ASSERT_EQ(::truncate(path.c_str(), size), 0);
                    }
                    reader.join();
                    const std::string got = describe(outcome);
                    if (std::holds_alternative<LogChanged>(outcome)) {
                        EXPECT_EQ(messages::failureMessage(outcome), "The log changed while it was read");
                        ++changed;
                    } else if (got != whole) {
                        EXPECT_EQ(got, describe(analyzeLog(path, one)))
                            << "threads " << threads << " method " << int(method) << " change " << int(change);
                    }
                }
            }
        }
    }
    // Most changes land during a read.
    EXPECT_GT(changed, 0);
    fs::remove_all(folder);
}
