#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_options.h"
#include "report/report_request.h"

namespace varnoth::cli {

// What a command line of varnoth-report asks for.
struct ReportCommand {
    enum class Action { Report, Help, Version };
    Action action = Action::Report;
    std::vector<std::string> logs;         // the logs' paths as given, in reading order ("-": standard input)
    std::optional<unsigned> followSeconds; // rewrite the output as the logs grow, at most this often
    std::string output;                    // empty or naming standard output (namesStandardOutput): standard output
    AnalysisOptions options;               // threads and range (the number format is the caller's)
    ReportRequest request;                 // format, list, top (the log's name and number format are the caller's)
};

// Reads the arguments after the program's name: options in any order, as
// "--name value" or "--name=value", and one or more logs ("-" for standard
// input, once); "--" ends the options.
// --help and --version win over everything else. Throws UsageError.
ReportCommand readReportCommand(const std::vector<std::string> &args);

// The text of --help.
extern const char *const reportHelp;

} // namespace varnoth::cli
