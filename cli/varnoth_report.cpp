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
#include "forms/failure.h"
#include "forms/output_file.h"
#include "progress_bar.h"
#include "report_command.h"
#include "run_arguments.h"
#include "standard_streams.h"
#include "wording/messages.h"

namespace {

using namespace varnoth;

constexpr const char *program = "varnoth-report";

// "varnoth-report: WHAT: WHY" on standard error; exit status 1.
int fail(const std::string &what, const std::string &why)
{
    cli::printError(program, {what, why});
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

// Writes the report as it is made: to standard output, or to the output
// file, which is put in place only once it is complete.
int writeOutput(const cli::ReportCommand &command, const AnalysisReport &report)
{
    if (cli::namesStandardOutput(command.output)) {
        cli::binaryStandardOutput();
        try {
            ReportOutput out([](std::string_view block) {
                if (std::fwrite(block.data(), 1, block.size(), stdout) != block.size())
                    throw FileFailure("", errno);
            });
            writeReport(report, command.request, out);
            if (std::fflush(stdout) != 0)
                throw FileFailure("", errno);
        } catch (const FileFailure &failure) {
            return fail("standard output", std::generic_category().message(failure.systemError()));
        }
        return 0;
    }
    try {
        OutputFile file(command.output, {command.log});
        ReportOutput out([&file](std::string_view block) { file.write(block); });
        writeReport(report, command.request, out);
        file.commit();
    } catch (const FileFailure &failure) {
        return fail(command.output, cause(failure.description(), failure.systemError()));
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
    return writeOutput(command, *report);
}

} // namespace

int main(int argc, char **argv)
{
    cli::ReportCommand command;
    try {
        command = cli::readReportCommand(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const cli::UsageError &error) {
        cli::printError(program, {error.message});
        std::cerr << "Try '" << program << " --help' for more information.\n";
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
