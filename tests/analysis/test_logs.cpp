#include "test_logs.h"

#include "analysis/drilldown.h"
#include "wording/messages.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace varnoth::test {

TempLog::TempLog(const std::string &content)
{
    static std::atomic<int> counter{0};
    path_ = (std::filesystem::temp_directory_path() /
             ("varnoth_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".log"))
                .string();
    std::ofstream(path_, std::ios::binary) << content;
}

TempLog::~TempLog()
{
    std::error_code error;
    std::filesystem::remove(path_, error);
}

TextLine textLine(const std::string &bytes)
{
    TextLine line;
    line.bytes = bytes;
    line.number = 1;
    line.ascii = true;
    for (char c : bytes)
        line.ascii = line.ascii && static_cast<unsigned char>(c) < 0x80;
    return line;
}

std::string runBench(const std::string &arguments)
{
    std::string output;
    FILE *pipe = ::popen((std::string(VARNOTH_BENCH) + " " + arguments).c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, n);
    ::pclose(pipe);
    return output;
}

AnalysisOutcome analyzeText(const std::string &log)
{
    return analyzeLog(LogInput::inMemory(log), AnalysisOptions{NumberFormat::c(), 0, {}});
}

int benchStatus(const std::string &arguments)
{
    const int status = std::system((std::string(VARNOTH_BENCH) + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string uploadLine(const std::string &path, const std::string &nick, const std::string &bytes,
                       const std::string &duration)
{
    return "2003-06-14 21:05: " + path + " uploaded to " + nick + ", " + bytes + " (" + bytes + "), 21.45 KiB/s, " +
           duration + "\r\n";
}

namespace {

std::string bits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

std::string timeText(const UploadTime &t)
{
    return std::to_string(t.hours) + ":" + std::to_string(t.minutes) + ":" + std::to_string(t.seconds);
}

} // namespace

// Everything an outcome holds, doubles to the bit.
std::string describe(const AnalysisOutcome &outcome)
{
    const AnalysisReport *r = completed(outcome);
    if (!r)
        return messages::failureMessage(outcome);
    std::ostringstream out;
    out << r->lineCount << "\n";
    for (const DownloaderRow &d : r->downloaders)
        out << d.nick << "|" << d.uploads << "|" << bits(d.megabytes) << "|" << timeText(d.uploadTime) << "\n";
    for (const FolderRow &f : r->folders)
        out << f.folder << "|" << f.accesses << "\n";
    for (const FileRow &f : r->files)
        out << f.file << "|" << f.uploads << "\n";
    const Summary &s = r->summary;
    out << bits(s.totalMegabytes) << " " << bits(s.fileListMegabytes) << " " << s.fileListUploads << " "
        << s.totalFolderAccesses << " " << timeText(s.totalUploadTime) << "\n";
    for (const DayActivity &day : r->activity.days)
        out << day.date.text() << " " << day.count.uploads << " " << bits(day.count.bytes) << " "
            << bits(day.count.seconds) << "\n";
    for (const ActivityCount &hour : r->activity.hours)
        out << hour.uploads << " " << bits(hour.bytes) << " " << bits(hour.seconds) << "\n";
    out << r->activity.undated << "\n";
    return out.str();
}

template <class Rows> std::string describeRows(const Outcome<Rows> &outcome)
{
    const Rows *rows = completed(outcome);
    if (!rows)
        return messages::failureMessage(outcome) +
               std::to_string(std::get_if<Corrupted>(&outcome) ? std::get<Corrupted>(outcome).line : 0);
    std::ostringstream out;
    for (const auto &row : *rows) {
        if constexpr (std::is_same_v<Rows, std::vector<PersonalUpload>>)
            out << row.file << "|" << bits(row.megabytes) << "|" << row.duration << "\n";
        else
            out << row.nick << "|" << row.duration << "|" << row.dateTime << "\n";
    }
    return out.str();
}

// A log of many kinds of lines: line ends of every kind, blank lines, a
// byte order mark, UTF-8 and Windows-1252 text, partial and fractional byte
// counts, file lists, durations of every form (odd ones included), dates
// over several days and none.
std::string mixedLog(unsigned seed, std::size_t lines)
{
    std::mt19937 random(seed);
    const char *paths[] = {"C:\\Share\\a.mp3",
                           "C:\\Share\\b.mp3",
                           "D:\\Filme\\Über\\c.avi",
                           "E:\\日本\\d.mkv",
                           "C:\\Share\\M\xfcsik\\e.ogg",
                           "MyList.bz2",
                           "MyList.DcLst",
                           "song.mp3",
                           "/home/u/f.flac"};
    const char *nicks[] = {"Bob", "Zoë", "ひかり", "J\xf6rg", "Ko,bra", "bob"};
    const char *bytes[] = {"4123456", "1500000", "123456", "0.5", "1e3", "999999999999", "-7", "12.25"};
    const char *durations[] = {"0:03:12", "0:59:59", "0:00:01", "10:00:01", "0:99:99", "1:2.:.5", "0:-5:30", "3:00:00"};
    const char *ends[] = {"\r\n", "\n", "\r"};
    std::string log = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < lines; ++i) {
        if (random() % 9 == 0)
            log += random() % 2 ? " \t" : "";
        else {
            std::string line =
                uploadLine(paths[random() % std::size(paths)], nicks[random() % std::size(nicks)],
                           bytes[random() % std::size(bytes)], durations[random() % std::size(durations)]);
            line.resize(line.size() - 2);
            if (random() % 3 == 0)
                line.replace(8, 2, std::to_string(10 + random() % 5));
            if (random() % 17 == 0)
                line.replace(0, 4, "x003");
            log += line;
        }
        log += ends[random() % std::size(ends)];
    }
    return log;
}

template std::string describeRows(const Outcome<std::vector<PersonalUpload>> &);
template std::string describeRows(const Outcome<std::vector<FileUpload>> &);

} // namespace varnoth::test
