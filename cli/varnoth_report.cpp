// varnoth-report: analyses upload logs without the window and writes the
// results as text, CSV, JSON or HTML, for scripts and scheduled jobs; with
// --follow it keeps the output up to date while the logs grow.

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <mutex>
#include <new>
#include <pthread.h>
#include <stop_token>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "analysis/analysis_run.h"
#include "analysis/char_decoding.h"
#include "analysis/log_tally.h"
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

// SIGINT and SIGTERM, taken by a thread of their own (blocked everywhere
// else): they stop the read that runs, and a one-time run before its
// output is put in place; a followed log's write in progress finishes.
class Interruption {
public:
    Interruption()
    {
        sigemptyset(&signals_);
        sigaddset(&signals_, SIGINT);
        sigaddset(&signals_, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
        watcher_ = std::jthread([this](std::stop_token own) {
            const timespec wait{0, 50'000'000};
            while (!own.stop_requested()) {
                const int signal = sigtimedwait(&signals_, nullptr, &wait);
                if ((signal == SIGINT || signal == SIGTERM) && signal_ != 0) {
                    // A second signal ends the command at once, even in a
                    // write that waits (a FIFO without a reader).
                    std::signal(signal, SIG_DFL);
                    pthread_sigmask(SIG_UNBLOCK, &signals_, nullptr);
                    std::raise(signal);
                }
                if (signal == SIGINT || signal == SIGTERM) {
                    signal_ = signal;
                    stop_.request_stop();
                    std::lock_guard lock(mutex_);
                    woken_.notify_all();
                }
            }
        });
    }

    std::stop_token token() const { return stop_.get_token(); }
    bool happened() const { return signal_ != 0; }
    // The exit status of a command ended by the signal: 128 and its number.
    int status() const { return 128 + signal_; }

    // Waits the given seconds, or less when a signal comes.
    void sleep(unsigned seconds)
    {
        std::unique_lock lock(mutex_);
        woken_.wait_for(lock, std::chrono::seconds(seconds), [this] { return happened(); });
    }

private:
    sigset_t signals_{};
    std::stop_source stop_;
    std::atomic<int> signal_{0};
    std::mutex mutex_;
    std::condition_variable woken_;
    std::jthread watcher_;
};

// Writes the report as it is made: to standard output, or to the output
// file, which is put in place only once it is complete.
// A one-time run stops at a signal: nothing more goes to standard output,
// and the output file is not put in place.
int writeOutput(const cli::ReportCommand &command, const AnalysisReport &report, const Interruption *stopBy)
{
    struct Stopped {};
    const auto stopped = [stopBy] { return stopBy && stopBy->happened(); };
    try {
        if (cli::namesStandardOutput(command.output)) {
            cli::binaryStandardOutput();
            try {
                ReportOutput out([&](std::string_view block) {
                    if (stopped())
                        throw Stopped{};
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
            OutputFile file(command.output, command.logs);
            ReportOutput out([&file](std::string_view block) { file.write(block); });
            writeReport(report, command.request, out);
            if (stopped())
                throw Stopped{};
            file.commit();
        } catch (const FileFailure &failure) {
            return fail(command.output, cause(failure.description(), failure.systemError()));
        }
    } catch (const Stopped &) {
        return stopBy->status();
    }
    return 0;
}

// The log a message is about: the one the outcome names, else the first.
template <class Result> std::string logOf(const Outcome<Result> &outcome, const cli::ReportCommand &command)
{
    if (const auto *c = std::get_if<Corrupted>(&outcome); c && !c->log.empty())
        return c->log;
    if (const auto *u = std::get_if<Unreadable>(&outcome); u && !u->log.empty())
        return u->log;
    if (const auto *l = std::get_if<LogChanged>(&outcome); l && !l->log.empty())
        return l->log;
    return command.logs.front();
}

// "varnoth-report: LOG: WHY" for an outcome that did not complete.
template <class Result> int failOutcome(const Outcome<Result> &outcome, const cli::ReportCommand &command)
{
    if (const auto *unreadable = std::get_if<Unreadable>(&outcome))
        return fail(logOf(outcome, command), cause(unreadable->cause, unreadable->systemError));
    if (const auto *corrupted = std::get_if<Corrupted>(&outcome)) {
        // The log is named before the message already.
        const Corrupted line{corrupted->line, {}};
        return fail(logOf(outcome, command),
                    command.followSeconds ? messages::followingStopped(line) : messages::corruptedLine(line));
    }
    return fail(logOf(outcome, command), messages::failureMessage(outcome));
}

int run(cli::ReportCommand &command, Interruption &interruption)
{
    command.options.numberFormat = cli::userNumberFormat();
    std::vector<LogInput> logs;
    for (const std::string &log : command.logs)
        logs.push_back(log == "-" ? LogInput::standardInput() : LogInput(log));
    for (const std::string &log : command.logs)
        command.request.logs.push_back(utf8Text(log));
    command.request.numberFormat = command.options.numberFormat;
    const bool following = command.followSeconds.has_value();
    if (following)
        command.request.reloadSeconds = command.followSeconds;
    // A followed log's last line may be half written: it waits for its end.
    const LogTally::LastLine lastLine = following ? LogTally::LastLine::Wait : LogTally::LastLine::End;

    LogTally tally(std::move(logs), command.options);
    Outcome<ReadDone> read = Cancelled{};
    {
        cli::ProgressBar bar(stderr);
        read = tally.read(LogTally::Reading::Refresh, bar.callback(), interruption.token());
    }
    if (std::holds_alternative<Cancelled>(read))
        return interruption.status();
    if (!completed(read))
        return failOutcome(read, command);
    if (!following)
        tally.settle(); // nothing more will be read
    AnalysisOutcome outcome = tally.report(lastLine);
    if (!completed(outcome))
        return failOutcome(outcome, command);
    if (const int status = writeOutput(command, *completed(outcome), following ? nullptr : &interruption))
        return status;

    // Following: the report written again whenever the logs have grown.
    while (following && !interruption.happened()) {
        interruption.sleep(*command.followSeconds);
        if (interruption.happened())
            break;
        read = tally.read(LogTally::Reading::Follow, {}, interruption.token());
        if (std::holds_alternative<Cancelled>(read) || std::holds_alternative<LogChanged>(read))
            continue; // read again at the next turn
        if (!completed(read))
            return failOutcome(read, command);
        if (!completed(read)->anythingNew())
            continue;
        outcome = tally.report(lastLine);
        if (!completed(outcome))
            return failOutcome(outcome, command);
        if (const int status = writeOutput(command, *completed(outcome), nullptr))
            return status;
    }
    return 0;
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
    Interruption interruption;
    try {
        return run(command, interruption);
    } catch (const Failure &failure) {
        return fail(command.logs.front(), failure.description());
    } catch (const std::bad_alloc &) {
        return fail(command.logs.front(), failures::outOfMemory);
    }
}
