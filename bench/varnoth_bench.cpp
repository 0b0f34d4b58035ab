// varnoth-bench: runs the analysis engine without the window, for
// benchmarks, headless checks of the results and synthetic logs.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "analysis/analysis_run.h"
#include "analysis/drilldown.h"
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
                 "       varnoth-bench --generate LINES FILE [DOWNLOADERS FILES FOLDERS [SEED [POPULARITY]]]\n"
                 "                 POPULARITY: cubic (default), zipf:S (such as zipf:1.1) or each\n"
                 "       varnoth-bench --generate-year LINES FILE [SEED]   a year of realistic sharing\n"
                 "options, in any order: --threads N, --from YYYY-MM-DD, --to YYYY-MM-DD\n";
    return 2;
}

int timedRun(const std::string &path, const AnalysisOptions &options)
{
    const auto start = std::chrono::steady_clock::now();
    const AnalysisOutcome outcome = analyzeLog(path, options);
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
    for (; i < args.size() && cli::isRunOption(args[i]); i += 2) {
        if (i + 1 >= args.size())
            throw cli::missingValue(args[i]);
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
