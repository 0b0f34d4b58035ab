// libFuzzer target over varnoth-report's arguments: the input split at NUL
// bytes is a command line. It is read or refused with a usage message
// (which shows no control character when printed); a command that is read
// holds only what the options allow.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/report_command.h"
#include "cli/run_arguments.h"
#include "expect.h"
#include "wording/display_text.h"

using namespace varnoth;
using fuzz::expect;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    cli::ReportCommand command;
    try {
        command = cli::readReportCommand(args);
    } catch (const cli::UsageError &error) {
        expect(!error.message.empty(), "a usage error says why");
        for (char c : printable(error.message))
            expect(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "a usage message shows no control character");
        return 0;
    }
    if (command.action != cli::ReportCommand::Action::Report)
        return 0;
    const DateRange &range = command.options.range;
    expect(!range.from || !range.to || *range.from <= *range.to, "a range does not end before it starts");
    expect(command.options.threads <= 1024, "at most 1024 threads");
    expect(!command.request.top || *command.request.top >= 1, "--top is at least 1");
    if (command.request.format != ReportFormat::Csv)
        expect(command.request.csvCells == CsvCells::Guarded && command.request.list == ReportList::Downloaders,
               "CSV options go with CSV");
    return 0;
}
