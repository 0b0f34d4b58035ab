#include "report_command.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "run_arguments.h"
#include "standard_streams.h"

namespace varnoth::cli {

const char *const reportHelp = "Usage: varnoth-report [OPTION]... LOG...\n"
                               "Analyses the upload log LOG of a DC++ client and writes the results. Several\n"
                               "logs (monthly or rotated ones) are read as one, in the order given; a log\n"
                               "may be gzip-compressed; - reads standard input.\n"
                               "\n"
                               "  --format FORMAT  text (the default), csv, json or html\n"
                               "  --list LIST      the list a CSV file holds: downloaders (the default),\n"
                               "                   files, folders, days or hours\n"
                               "  --csv-raw        CSV cells hold the exact text, for programs (by default a\n"
                               "                   text that a spreadsheet would run as a formula, such as\n"
                               "                   =1+2, gets a leading apostrophe)\n"
                               "  --top N          at most N rows of each ranked list (default: 20 in text,\n"
                               "                   100 in HTML, all in CSV and JSON)\n"
                               "  --from DAY       only uploads on or after DAY (YYYY-MM-DD)\n"
                               "  --to DAY         only uploads on or before DAY (YYYY-MM-DD)\n"
                               "  --threads N      read with N worker threads (default: one per processor)\n"
                               "  --output FILE    write FILE, replacing it only once it is complete (a\n"
                               "                   link: the file it leads to; a device or FIFO: written\n"
                               "                   directly); default, - or /dev/stdout: standard output\n"
                               "  --follow SECONDS with --output: after the first report, write it again\n"
                               "                   whenever the logs have grown, at most every SECONDS\n"
                               "                   seconds, until interrupted (SIGINT or SIGTERM)\n"
                               "  --help           show this help and exit\n"
                               "  --version        show the version and exit\n"
                               "\n"
                               "Exit status: 0 on success; 1 when the log cannot be read or analysed or\n"
                               "the output cannot be written; 2 for a usage error.\n";

namespace {

struct Option {
    std::string name;
    std::optional<std::string> value; // given as --name=value
};

Option optionOf(const std::string &argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos)
        return {argument, std::nullopt};
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

bool takesValue(const std::string &name)
{
    return name == "--format" || name == "--list" || name == "--top" || name == "--output" || name == "--follow" ||
           isRunOption(name);
}

void readValue(const std::string &name, const std::string &value, ReportCommand &command, bool &listGiven)
{
    if (name == "--format") {
        const auto format = reportFormatNamed(value);
        if (!format)
            throw UsageError{"--format takes text, csv, json or html, not '" + value + "'"};
        command.request.format = *format;
    } else if (name == "--list") {
        const auto list = reportListNamed(value);
        if (!list)
            throw UsageError{"--list takes downloaders, files, folders, days or hours, not '" + value + "'"};
        command.request.list = *list;
        listGiven = true;
    } else if (name == "--top") {
        const auto top = positiveNumber<std::size_t>(value, SIZE_MAX);
        if (!top)
            throw UsageError{"--top takes a whole number of at least 1, not '" + value + "'"};
        command.request.top = *top;
    } else if (name == "--follow") {
        const auto seconds = positiveNumber<unsigned>(value, 86400u * 365);
        if (!seconds)
            throw UsageError{"--follow takes a whole number of seconds of at least 1, not '" + value + "'"};
        command.followSeconds = *seconds;
    } else if (name == "--output") {
        if (value.empty())
            throw UsageError{"--output takes a file name, or - for standard output"};
        command.output = value;
    } else {
        readRunOption(name, value, command.options);
    }
}

} // namespace

ReportCommand readReportCommand(const std::vector<std::string> &args)
{
    ReportCommand command;
    for (const std::string &argument : args) {
        if (argument == "--")
            break;
        if (argument == "--help" || argument == "-h" || argument == "--version") {
            command.action = argument == "--version" ? ReportCommand::Action::Version : ReportCommand::Action::Help;
            return command;
        }
    }
    std::vector<std::string> logs;
    bool listGiven = false;
    bool csvRaw = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &argument = args[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            logs.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        Option option = optionOf(argument);
        if (option.name == "--csv-raw") {
            if (option.value)
                throw UsageError{"--csv-raw takes no value"};
            csvRaw = true;
            continue;
        }
        if (!takesValue(option.name))
            throw UsageError{"unknown option '" + option.name + "'"};
        if (!option.value) {
            if (i + 1 >= args.size())
                throw missingValue(option.name);
            option.value = args[++i];
        }
        readValue(option.name, *option.value, command, listGiven);
    }
    if (logs.empty())
        throw UsageError{"no log given"};
    if (std::count(logs.begin(), logs.end(), "-") > 1)
        throw UsageError{"standard input (-) can be read only once"};
    if (command.followSeconds) {
        if (command.output.empty() || namesStandardOutput(command.output))
            throw UsageError{"--follow needs --output FILE"};
        if (std::find(logs.begin(), logs.end(), "-") != logs.end())
            throw UsageError{"--follow needs logs that are files, not standard input"};
    }
    if (listGiven && command.request.format != ReportFormat::Csv)
        throw UsageError{"--list goes with --format csv"};
    if (csvRaw && command.request.format != ReportFormat::Csv)
        throw UsageError{"--csv-raw goes with --format csv"};
    command.request.csvCells = csvRaw ? CsvCells::Exact : CsvCells::Guarded;
    checkRange(command.options.range);
    command.logs = std::move(logs);
    return command;
}

} // namespace varnoth::cli
