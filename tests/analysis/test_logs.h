#pragma once

#include <string>

#include "analysis/analysis_run.h"
#include "forms/line_reader.h"

namespace varnoth::test {

// A log file in the temporary folder, removed again at the end of the test.
class TempLog {
public:
    explicit TempLog(const std::string &content);
    ~TempLog();
    TempLog(const TempLog &) = delete;
    TempLog &operator=(const TempLog &) = delete;
    const std::string &path() const { return path_; }

private:
    std::string path_;
};

// A physical line as the line reader hands it over.
TextLine textLine(const std::string &bytes);

// The output of varnoth-bench with the given arguments (the log path last).
std::string runBench(const std::string &arguments);
// Its exit status, its output discarded.
int benchStatus(const std::string &arguments);

// A whole analysis of a log held in memory, with "." as the decimal point.
AnalysisOutcome analyzeText(const std::string &log);

// Everything an outcome holds, doubles to the bit, or its message.
std::string describe(const AnalysisOutcome &outcome);
// The rows of a drill-down, or its message and line.
template <class Rows> std::string describeRows(const Outcome<Rows> &outcome);

// A log of many kinds of lines: line ends of every kind, blank lines, a
// byte order mark, UTF-8 and Windows-1252 text, partial and fractional byte
// counts, file lists, durations of every form (odd ones included), dates
// over several days and none.
std::string mixedLog(unsigned seed, std::size_t lines);

// Upload lines in the client's format: "2003-06-14 21:05: PATH uploaded to NICK, SIZE (BYTES), SPEED, TIME".
std::string uploadLine(const std::string &path, const std::string &nick, const std::string &bytes,
                       const std::string &duration);

} // namespace varnoth::test
