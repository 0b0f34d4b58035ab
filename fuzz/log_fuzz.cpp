// libFuzzer target, all in memory: the fuzzed bytes are cut as one log line
// in both of the cutter's modes and line by line as the reader splits them,
// read by the line reader and compared with a plain split, and analysed as a
// whole upload log, followed by both drill-downs and every report format of
// a completed run; some inputs also go through the report's text guards as
// a nick would, or are read in parts on threads. Any crash, leak, sanitizer
// report or broken invariant is a fault.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "analysis/analysis_run.h"
#include "analysis/char_decoding.h"
#include "analysis/drilldown.h"
#include "analysis/line_cutter.h"
#include "analysis/name_table.h"
#include "expect.h"
#include "forms/line_reader.h"
#include "report/html_text.h"
#include "report/report_request.h"
#include "wording/display_text.h"

using namespace varnoth;
using fuzz::expect;

namespace {

bool isAscii(std::string_view bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// What the report does to a name before it shows it.
void guardAsName(std::string_view bytes)
{
    const std::string shown = printable(bytes);
    expect(isValidUtf8(shown), "a printable text is UTF-8");
    for (char c : shown)
        expect(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "a printable text has no control character");
    expect(displayWidth(shown) <= 2 * shown.size(), "a text is at most two columns a byte wide");
    expect(htmlText(bytes).find_first_of("<>\"'") == std::string::npos, "an HTML text opens nothing");
}

bool within(std::string_view part, std::string_view whole)
{
    return part.empty() || (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

void cutBothWays(LineCutter &cutter, std::string_view bytes)
{
    TextLine line;
    line.bytes = bytes;
    line.number = 1;
    line.ascii = isAscii(bytes);
    for (const auto mode : {LineCutter::Mode::Analysis, LineCutter::Mode::View}) {
        const CutLine &cut = cutter.cut(line, mode);
        if (cut.status != CutStatus::Ok)
            continue;
        expect(!cut.Nick.empty(), "an accepted line has a nick");
        expect(cut.Folder.size() <= cut.FilePath.size(), "the folder is part of the path");
        expect(cut.FilePath.substr(0, cut.Folder.size()) == cut.Folder, "the folder begins the path");
        if (line.ascii) {
            // ASCII fields are cut from the line itself.
            for (std::string_view field : {cut.DateTimeText, cut.FilePath, cut.Nick, cut.DurationText, cut.ByteText})
                expect(within(field, bytes), "an ASCII field lies within its line");
        }
    }
}

// The reader must hand over exactly the lines of a plain split at CR LF,
// LF and lone CR, after a leading UTF-8 byte order mark.
void compareWithPlainSplit(std::string_view bytes)
{
    LineReader reader(LogInput::inMemory(bytes));
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    TextLine line;
    std::uint64_t number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", start);
        const std::string_view expected = bytes.substr(start, stop == std::string_view::npos ? stop : stop - start);
        expect(reader.next(line), "the reader hands over every line");
        expect(line.bytes == expected, "the reader's line matches the plain split");
        expect(line.number == ++number, "line numbers count physical lines");
        expect(line.ascii == isAscii(expected), "the ASCII flag matches the line");
        if (stop == std::string_view::npos)
            break;
        start = stop + (bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1);
    }
    expect(!reader.next(line), "the reader ends with the file");
}

// What a run found, in a form two runs can be compared by.
std::string summaryOf(const AnalysisOutcome &outcome)
{
    const AnalysisReport *report = completed(outcome);
    if (!report)
        return std::to_string(outcome.index()) + (std::holds_alternative<Corrupted>(outcome)
                                                      ? " " + std::to_string(std::get<Corrupted>(outcome).line)
                                                      : "");
    std::string text = std::to_string(report->lineCount);
    for (const DownloaderRow &row : report->downloaders)
        text += "|" + row.nick + " " + std::to_string(row.uploads) + " " + std::to_string(row.megabytes) + " " +
                std::to_string(row.uploadTime.totalSeconds());
    for (const FileRow &row : report->files)
        text += "|" + std::string(row.file) + " " + std::to_string(row.uploads);
    for (const FolderRow &row : report->folders)
        text += "|" + std::string(row.folder) + " " + std::to_string(row.accesses);
    return text + "|" + std::to_string(report->summary.totalMegabytes);
}

// Every format of a completed run (CSV with one of its lists in turn): valid
// UTF-8, no name opening a script or driving a terminal.
void writeEveryFormat(const AnalysisReport &report, const NumberFormat &format, std::uint64_t pick)
{
    for (const ReportFormat kind : {ReportFormat::Text, ReportFormat::Csv, ReportFormat::Json, ReportFormat::Html}) {
        const ReportList list = allReportLists[(pick >> 12) % std::size(allReportLists)];
        const std::string out =
            reportText(report, {kind, list, std::nullopt, {"log"}, format, CsvCells::Guarded, std::nullopt});
        expect(isValidUtf8(out), "a report is UTF-8");
        if (kind == ReportFormat::Html)
            expect(out.find("<script") == std::string::npos, "no name opens a script");
        if (kind == ReportFormat::Text)
            expect(out.find_first_of("\x1b\x07") == std::string::npos, "no name drives the terminal");
    }
}

void analyseAsLog(std::string_view bytes, std::uint64_t pick)
{
    const LogInput log = LogInput::inMemory(bytes);
    const AnalysisOptions options{NumberFormat{".", ","}, 1, {}};
    const AnalysisOutcome run = analyzeLog(log, options);
    // Read in many small parts on several threads (up to about 32: each
    // part costs the engine a set of tallies), the log gives the same outcome.
    if (pick % 256 == 0) {
        const AnalysisOptions threads{NumberFormat{".", ","}, 3, {}};
        expect(summaryOf(analyzeLog(log, threads, {}, 7 + bytes.size() / 32)) == summaryOf(run),
               "parts on threads give one thread's outcome");
    }
    std::string nick = "Bob", file = "C:\\a ";
    if (const AnalysisReport *report = completed(run)) {
        std::int64_t uploads = 0, fileUploads = 0;
        for (const DownloaderRow &row : report->downloaders)
            uploads += row.uploads;
        for (const FileRow &row : report->files)
            fileUploads += row.uploads;
        expect(uploads == report->lineCount, "every upload belongs to one downloader");
        expect(fileUploads == report->lineCount, "every upload is of one file or file list");
        expect(!report->folders.empty() && !report->files.empty(), "a completed run has files and folders");
        nick = report->downloaders.front().nick;
        file = report->files.front().file;
        writeEveryFormat(*report, options.numberFormat, pick);
    }
    // The drill-downs of every completed run; of one input in 64 that is no
    // log (they read it all again, the costliest part of such an input).
    if (!completed(run) && (pick >> 20) % 64 != 0)
        return;
    const auto personal = personalRows(log, nick, options);
    const auto files = fileRows(log, file, options);
    if (completed(run)) {
        expect(completed(personal) && !completed(personal)->empty(), "the top downloader has uploads");
        expect(completed(files) && !completed(files)->empty(), "the top file has uploads");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static LineCutter cutter;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    cutBothWays(cutter, bytes);
    // Each line as the reader would hand it over.
    std::size_t start = 0;
    while (start <= bytes.size()) {
        const std::size_t stop = bytes.find_first_of("\r\n", start);
        cutBothWays(cutter,
                    bytes.substr(start, stop == std::string_view::npos ? std::string_view::npos : stop - start));
        if (stop == std::string_view::npos)
            break;
        start = stop + 1;
    }
    compareWithPlainSplit(bytes);
    // The slow checks take a share of the inputs, picked by their bytes so
    // that a finding replays: the name guards (one input in four, on a
    // name-sized start; reports guard every name too), reading in small
    // parts on threads (one in 256) and the drill-downs of an input that
    // is no log (one in 64).
    const std::uint64_t pick = hashText(bytes);
    if ((pick >> 16) % 4 == 0)
        guardAsName(bytes.substr(0, 64));
    analyseAsLog(bytes, pick);
    return 0;
}
