// varnoth-bench: runs the analysis engine without the window, for
// benchmarks, headless checks of the results and synthetic logs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "analysis/analysis_run.h"
#include "analysis/drilldown.h"
#include "analysis/log_tally.h"
#include "cli/run_arguments.h"
#include "cli/standard_streams.h"
#include "forms/failure.h"
#include "forms/file_exists.h"
#include "log_generator.h"
#include "peak_memory.h"
#include "report/activity_json.h"
#include "report/json_text.h"
#include "sample_log.h"
#include "views/summary_labels.h"
#include "wording/messages.h"
#include "wording/result_cells.h"

namespace {

using namespace varnoth;

int usage()
{
    std::cerr << "usage: varnoth-bench [OPTIONS] LOG                 full analysis, timed\n"
                 "       varnoth-bench [OPTIONS] --dump LOG          results as JSON\n"
                 "       varnoth-bench [OPTIONS] --activity LOG      uploads per day and per hour as JSON\n"
                 "       varnoth-bench [OPTIONS] --personal NICK LOG every upload to NICK as JSON rows\n"
                 "       varnoth-bench [OPTIONS] --file TEXT LOG     every upload of the file TEXT as JSON rows\n"
                 "       varnoth-bench [OPTIONS] --append LINES LOG  a copy of LOG tallied, then LINES lines appended\n"
                 "                 and read with a new report, and a refresh of it unchanged, timed\n"
                 "       varnoth-bench --generate LINES FILE [DOWNLOADERS FILES FOLDERS [SEED [POPULARITY]]]\n"
                 "                 POPULARITY: cubic (default), zipf:S (such as zipf:1.1) or each\n"
                 "       varnoth-bench --generate-year LINES FILE [SEED]   a year of realistic sharing\n"
                 "options, in any order: --threads N, --from YYYY-MM-DD, --to YYYY-MM-DD,\n"
                 "                       --read mapped|buffered (how log files are read; buffered by default)\n";
    return 2;
}

int timedRun(const std::string &path, const AnalysisOptions &options)
{
    const auto start = std::chrono::steady_clock::now();
    // With a progress display, as the window runs it: both passes.
    const AnalysisOutcome outcome = analyzeLog(path, options, [](const Progress &) {});
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::error_code error;
    const auto size = std::filesystem::file_size(pathFromUtf8(path), error);
    const std::uint64_t bytes = error ? 0 : static_cast<std::uint64_t>(size);
    const AnalysisReport *report = completed(outcome);
    if (!report)
        std::cout << "message " << messages::failureMessage(outcome) << "\n";
    const std::size_t names = report ? report->downloaders.size() + report->files.size() + report->folders.size() : 0;
    std::printf("lines %lld\nnames %zu\nbytes %llu\nseconds %.3f\nMB/s %.1f\npeak memory %.1f MB\n",
                static_cast<long long>(report ? report->lineCount : 0), names, static_cast<unsigned long long>(bytes),
                seconds, seconds > 0 ? static_cast<double>(bytes) / 1e6 / seconds : 0.0,
                static_cast<double>(bench::peakMemoryBytes()) / 1e6);
    return report ? 0 : 1;
}

// The median of a few timings of f, in milliseconds.
template <class F> double medianMilliseconds(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// What following a log costs: a copy of the log is tallied once; then a
// refresh that finds nothing new, and `lines` lines (the log's first ones)
// appended, read and reported, each timed over several runs.
int appendRun(const std::string &lineText, const std::string &path, const AnalysisOptions &options)
{
    const auto lines = cli::positiveNumber<std::uint64_t>(lineText, 100000000);
    if (!lines)
        return usage();
    std::string appended;
    {
        std::ifstream in(pathFromUtf8(path), std::ios::binary);
        std::string line;
        for (std::uint64_t i = 0; i < *lines && std::getline(in, line); ++i)
            appended += line + "\n";
    }
    const std::string copy = path + ".append-bench";
    std::filesystem::copy_file(pathFromUtf8(path), pathFromUtf8(copy),
                               std::filesystem::copy_options::overwrite_existing);
    struct Remove {
        std::string path;
        ~Remove()
        {
            std::error_code ignored;
            std::filesystem::remove(pathFromUtf8(path), ignored);
        }
    } remove{copy};
    LogTally tally({copy}, options);
    const auto start = std::chrono::steady_clock::now();
    auto read = tally.read(LogTally::Reading::Follow, [](const Progress &) {});
    if (!completed(read) || !completed(tally.report(LogTally::LastLine::Wait))) {
        std::cout << "message " << messages::failureMessage(read) << "\n";
        return 1;
    }
    const double firstSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double unchanged = medianMilliseconds(7, [&] { tally.read(LogTally::Reading::Follow); });
    // The lines are appended untimed; the read that takes them and the
    // report after it are timed.
    bool ok = true;
    std::vector<double> reads, reports, both;
    for (int run = 0; run < 7; ++run) {
        std::ofstream(pathFromUtf8(copy), std::ios::binary | std::ios::app) << appended;
        const auto start = std::chrono::steady_clock::now();
        const auto more = tally.read(LogTally::Reading::Follow);
        const auto middle = std::chrono::steady_clock::now();
        const auto report = tally.report(LogTally::LastLine::Wait);
        const auto end = std::chrono::steady_clock::now();
        reads.push_back(std::chrono::duration<double, std::milli>(middle - start).count());
        reports.push_back(std::chrono::duration<double, std::milli>(end - middle).count());
        both.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        ok = ok && completed(more) && completed(more)->uploads > 0 && completed(report);
    }
    for (auto *times : {&reads, &reports, &both})
        std::sort(times->begin(), times->end());
    std::printf("first read %.3f s\nrefresh unchanged %.3f ms\nappend %llu lines: read and report %.2f ms "
                "(read %.2f ms, report %.2f ms)\n",
                firstSeconds, unchanged, static_cast<unsigned long long>(*lines), both[3], reads[3], reports[3]);
    return ok ? 0 : 1;
}

int dump(const std::string &path, const AnalysisOptions &options)
{
    const AnalysisOutcome outcome = analyzeLog(path, options);
    const AnalysisReport *report = completed(outcome);
    if (!report) {
        std::cout << "{\"message\": " << json::string(messages::failureMessage(outcome)) << "}\n";
        return 0;
    }
    const NumberFormat &format = options.numberFormat;
    std::cout << "{\"line_count\": " << report->lineCount << ", \"lines_completed\": " << report->lineCount
              << ",\n \"grid1\": " << json::rows(downloaderCells(report->downloaders, format))
              << ",\n \"grid3\": " << json::rows(folderCells(report->folders))
              << ",\n \"grid2\": " << json::rows(fileCells(report->files)) << ",\n \"labels\": {";
    const SummaryCaptions captions = summaryCaptions(report->summary, format);
    const char *separator = "\n  ";
    for (const SummaryLabel &label : summaryLabels) {
        std::cout << separator << json::string(label.label) << ": " << json::string(captions.*label.caption);
        separator = ",\n  ";
    }
    std::cout << "}}\n";
    return 0;
}

int activity(const std::string &path, const AnalysisOptions &options)
{
    const AnalysisOutcome outcome = analyzeLog(path, options);
    if (const AnalysisReport *report = completed(outcome)) {
        ReportOutput out([](std::string_view block) { std::cout << block; });
        json::writeActivity(report->activity, out);
        out << "\n";
        out.flush();
    } else
        std::cout << "{\"message\": " << json::string(messages::failureMessage(outcome)) << "}\n";
    return 0;
}

template <class Rows, class Cells> int printDrilldown(const Outcome<Rows> &outcome, Cells cells)
{
    if (const Rows *rows = completed(outcome))
        std::cout << json::rows(cells(*rows)) << "\n";
    else
        std::cout << "{\"message\": " << json::string(messages::failureMessage(outcome, messages::Reader::Drilldown))
                  << "}\n";
    return 0;
}

int generate(const std::vector<std::string> &args)
{
    constexpr std::uint32_t maxCount = 0xFFFFFFFFu;
    bench::GeneratorShape shape;
    const auto lines = cli::positiveNumber<std::uint64_t>(args[0], UINT64_MAX);
    if (!lines)
        return usage();
    shape.lines = *lines;
    if (args.size() >= 5) {
        const auto downloaders = cli::positiveNumber<std::uint32_t>(args[2], maxCount);
        const auto files = cli::positiveNumber<std::uint32_t>(args[3], maxCount);
        const auto folders = cli::positiveNumber<std::uint32_t>(args[4], maxCount);
        if (!downloaders || !files || !folders)
            return usage();
        shape.downloaders = *downloaders;
        shape.files = *files;
        shape.folders = *folders;
    }
    if (args.size() >= 6) {
        const auto seed = cli::positiveNumber<std::uint64_t>(args[5], UINT64_MAX);
        if (!seed)
            return usage();
        shape.seed = *seed;
    }
    if (args.size() == 7) {
        const auto popularity = bench::readPopularity(args[6]);
        if (!popularity)
            return usage();
        shape.popularity = *popularity;
    }
    bench::generateLog(args[1], shape);
    return 0;
}

int generateYear(const std::vector<std::string> &args)
{
    bench::SampleShape shape;
    const auto lines = cli::positiveNumber<std::uint64_t>(args[0], UINT64_MAX);
    const auto seed = args.size() == 3 ? cli::positiveNumber<std::uint64_t>(args[2], UINT64_MAX) : shape.seed;
    if (!lines || !seed)
        return usage();
    shape.lines = *lines;
    shape.seed = *seed;
    bench::generateSampleLog(args[1], shape);
    return 0;
}

// Reads the options that come before the mode. Throws UsageError.
void readOptions(std::vector<std::string> &args, AnalysisOptions &options)
{
    std::size_t i = 0;
    for (; i < args.size() && (cli::isRunOption(args[i]) || args[i] == "--read"); i += 2) {
        if (i + 1 >= args.size())
            throw cli::missingValue(args[i]);
        if (args[i] == "--read") {
            if (args[i + 1] != "mapped" && args[i + 1] != "buffered")
                throw cli::UsageError{"--read takes mapped or buffered, not " + args[i + 1]};
            options.readMethod = args[i + 1] == "mapped" ? ReadMethod::Map : ReadMethod::Buffer;
            continue;
        }
        cli::readRunOption(args[i], args[i + 1], options);
    }
    args.erase(args.begin(), args.begin() + static_cast<long>(i));
    cli::checkRange(options.range);
}

} // namespace

int main(int argc, char **argv)
{
    try {
        std::vector<std::string> all(argv + 1, argv + argc);
        AnalysisOptions options;
        options.numberFormat = cli::userNumberFormat();
        readOptions(all, options);
        const std::string mode = all.empty() ? "" : all[0];
        const std::vector<std::string> args(all.begin() + (all.empty() ? 0 : 1), all.end());
        if (all.size() == 1 && mode.rfind("--", 0) != 0)
            return timedRun(mode, options);
        if (mode == "--dump" && args.size() == 1)
            return dump(args[0], options);
        if (mode == "--activity" && args.size() == 1)
            return activity(args[0], options);
        if (mode == "--personal" && args.size() == 2)
            return printDrilldown(personalRows(args[1], args[0], options),
                                  [&](const auto &rows) { return personalCells(rows, options.numberFormat); });
        if (mode == "--file" && args.size() == 2)
            return printDrilldown(fileRows(args[1], args[0], options),
                                  [](const auto &rows) { return fileUploadCells(rows); });
        if (mode == "--append" && args.size() == 2)
            return appendRun(args[0], args[1], options);
        if (mode == "--generate" && (args.size() == 2 || (args.size() >= 5 && args.size() <= 7)))
            return generate(args);
        if (mode == "--generate-year" && (args.size() == 2 || args.size() == 3))
            return generateYear(args);
        return usage();
    } catch (const cli::UsageError &error) {
        cli::printError("varnoth-bench", {error.message});
        return usage();
    } catch (const Failure &failure) {
        cli::printError("varnoth-bench", {failure.description()});
        return 1;
    }
}
