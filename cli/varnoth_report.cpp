// varnoth-report: analyses an upload log without the window and writes the
// results as text, CSV, JSON or HTML, for scripts and scheduled jobs.

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/analysis_run.h"
#include "analysis/char_decoding.h"
#include "wording/messages.h"
#include "forms/atomic_file.h"
#include "forms/failure.h"
#include "progress_bar.h"
#include "report_command.h"
#include "run_arguments.h"
#include "standard_streams.h"

namespace {

using namespace varnoth;

constexpr const char *program = "varnoth-report";

// "varnoth-report: WHAT: WHY" on standard error; exit status 1.
int fail(const std::string &what, const std::string &why)
{
    std::cerr << program << ": " << what << ": " << why << "\n";
    return 1;
}

// Why a file could not be read or written: the system's words where it gave
// an error number ("No such file or directory"), the program's otherwise.
std::string cause(const std::string &description, int systemError)
{
    return systemError != 0 ? std::generic_category().message(systemError) : description;
}

// The path as valid UTF-8 for the report's texts; file names need not be.
std::string utf8Text(const std::string &bytes)
{
    if (isValidUtf8(bytes))
        return bytes;
    std::string text;
    appendWindows1252(bytes, text);
    return text;
}

int writeOutput(const std::string &output, const std::string &content)
{
    if (output.empty() || output == "-") {
        cli::binaryStandardOutput();
        if (std::fwrite(content.data(), 1, content.size(), stdout) != content.size() || std::fflush(stdout) != 0)
            return fail("standard output", std::generic_category().message(errno));
        return 0;
    }
    try {
        writeFileAtomically(output, content);
    } catch (const FileFailure &failure) {
        return fail(output, cause(failure.description(), failure.systemError()));
    }
    return 0;
}

int run(cli::ReportCommand &command)
{
    command.options.numberFormat = cli::userNumberFormat();
    AnalysisOutcome outcome;
    {
        cli::ProgressBar bar(stderr);
        outcome = analyzeLog(command.log, command.options, bar.callback());
    }
    const AnalysisReport *report = completed(outcome);
    if (!report) {
        if (const auto *unreadable = std::get_if<Unreadable>(&outcome))
            return fail(command.log, cause(unreadable->cause, unreadable->systemError));
        return fail(command.log, messages::failureMessage(outcome));
    }
    command.request.log = utf8Text(command.log);
    command.request.numberFormat = command.options.numberFormat;
    return writeOutput(command.output, writeReport(*report, command.request));
}

} // namespace

int main(int argc, char **argv)
{
    cli::ReportCommand command;
    try {
        command = cli::readReportCommand(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const cli::UsageError &error) {
        std::cerr << program << ": " << error.message << "\nTry '" << program << " --help' for more information.\n";
        return 2;
    }
    switch (command.action) {
    case cli::ReportCommand::Action::Help:
        std::cout << cli::reportHelp;
        return 0;
    case cli::ReportCommand::Action::Version:
        std::cout << program << " " << VARNOTH_VERSION << "\n";
        return 0;
    case cli::ReportCommand::Action::Report:
        break;
    }
    try {
        return run(command);
    } catch (const Failure &failure) {
        return fail(command.log, failure.description());
    } catch (const std::bad_alloc &) {
        return fail(command.log, failures::outOfMemory);
    }
}
