// varnoth-bench: runs the analysis engine without the window, for
// benchmarks, headless checks of the results and synthetic logs.

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "analysis/analysis_run.h"
#include "analysis/drilldown.h"
#include "forms/failure.h"
#include "forms/file_exists.h"
#include "json_writer.h"
#include "log_generator.h"
#include "peak_memory.h"

namespace {

using namespace varnoth;

int usage()
{
    std::cerr << "usage: varnoth-bench LOG                 full analysis, timed\n"
                 "       varnoth-bench --dump LOG          results as JSON\n"
                 "       varnoth-bench --personal NICK LOG every upload to NICK as JSON rows\n"
                 "       varnoth-bench --file TEXT LOG     every upload of the file TEXT as JSON rows\n"
                 "       varnoth-bench --generate LINES FILE [DOWNLOADERS FILES FOLDERS [SEED]]\n";
    return 2;
}

// The user's number settings, as the C library reads them from the environment.
NumberFormat userNumberFormat()
{
    std::setlocale(LC_ALL, "");
    const std::lconv *conv = std::localeconv();
    NumberFormat format;
    if (conv && conv->decimal_point && *conv->decimal_point)
        format.decimalSeparator = conv->decimal_point;
    format.groupSeparator = conv && conv->thousands_sep ? conv->thousands_sep : "";
    std::setlocale(LC_ALL, "C");
    return format;
}

int timedRun(const std::string &path)
{
    AnalysisState state;
    const auto start = std::chrono::steady_clock::now();
    const RunResult result = analyzeLog(path, state, userNumberFormat());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::error_code error;
    const auto size = std::filesystem::file_size(pathFromUtf8(path), error);
    const std::uint64_t bytes = error ? 0 : static_cast<std::uint64_t>(size);
    if (!result.completed)
        std::cout << "message " << result.message << "\n";
    std::printf("lines %lld\nbytes %llu\nseconds %.3f\nMB/s %.1f\npeak memory %.1f MB\n",
                static_cast<long long>(state.LinesCompleted), static_cast<unsigned long long>(bytes), seconds,
                seconds > 0 ? static_cast<double>(bytes) / 1e6 / seconds : 0.0,
                static_cast<double>(bench::peakMemoryBytes()) / 1e6);
    return result.completed ? 0 : 1;
}

int dump(const std::string &path)
{
    AnalysisState state;
    const RunResult result = analyzeLog(path, state, userNumberFormat());
    if (!result.completed) {
        std::cout << "{\"message\": " << bench::jsonString(result.message) << "}\n";
        return 0;
    }
    std::cout << "{\"line_count\": " << state.LineCount << ", \"lines_completed\": " << state.LinesCompleted
              << ",\n \"grid1\": " << bench::jsonRows(result.grid1) << ",\n \"grid3\": "
              << bench::jsonRows(result.grid3) << ",\n \"grid2\": " << bench::jsonRows(result.grid2)
              << ",\n \"labels\": {";
    for (std::size_t i = 0; i < result.labels.size(); ++i) {
        std::cout << (i ? ",\n  " : "\n  ") << bench::jsonString(result.labels[i].label) << ": "
                  << bench::jsonString(result.labels[i].caption);
    }
    std::cout << "}}\n";
    return 0;
}

int drilldown(bool personal, const std::string &key, const std::string &path)
{
    AnalysisState state;
    const NumberFormat format = userNumberFormat();
    const DrilldownResult result =
        personal ? personalStats(path, key, state, format) : fileStats(path, key, state, format);
    if (!result.completed)
        std::cout << "{\"message\": " << bench::jsonString(result.message) << "}\n";
    else
        std::cout << bench::jsonRows(result.rows) << "\n";
    return 0;
}

int generate(int argc, char **argv)
{
    bench::GeneratorShape shape;
    shape.lines = std::strtoull(argv[2], nullptr, 10);
    if (argc >= 7) {
        shape.downloaders = static_cast<std::uint32_t>(std::strtoul(argv[4], nullptr, 10));
        shape.files = static_cast<std::uint32_t>(std::strtoul(argv[5], nullptr, 10));
        shape.folders = static_cast<std::uint32_t>(std::strtoul(argv[6], nullptr, 10));
    }
    if (argc >= 8)
        shape.seed = std::strtoull(argv[7], nullptr, 10);
    bench::generateLog(argv[3], shape);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (argc == 2 && mode.rfind("--", 0) != 0)
            return timedRun(mode);
        if (mode == "--dump" && argc == 3)
            return dump(argv[2]);
        if ((mode == "--personal" || mode == "--file") && argc == 4)
            return drilldown(mode == "--personal", argv[2], argv[3]);
        if (mode == "--generate" && (argc == 4 || argc == 7 || argc == 8))
            return generate(argc, argv);
        return usage();
    } catch (const Failure &failure) {
        std::cerr << "varnoth-bench: " << failure.description() << "\n";
        return 1;
    }
}
