#include "test_logs.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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

} // namespace varnoth::test
