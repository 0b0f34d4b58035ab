#pragma once

#include <cstdint>
#include <functional>

namespace varnoth {

// The steps of an analysis run, in order, and the one step of a drill-down.
enum class RunPhase {
    CountingLines,       // first pass
    ReadingInformation,  // second pass
    CountingDownloaders, // ranking the downloaders
    CountingFolders,     // ranking the folders
    CountingFiles,       // ranking the files
    ReadingDrilldown,    // a drill-down's one pass
};

// Where a run or a drill-down stands.
struct Progress {
    RunPhase phase = RunPhase::CountingLines;
    // Upload lines analysed so far (second pass), or read so far (drill-down).
    std::int64_t linesCompleted = 0;
    // Upload lines of the log: counted so far during the first pass, all of them afterwards.
    std::int64_t lineCount = 0;
    // How much of the phase's reading is done, 0 to 1.
    double share = 0;
};

// Called from the thread that reads: once when a phase starts, then at a
// steady pace (at most about 20 times a second), and once when a reading
// pass ends.
using ProgressCallback = std::function<void(const Progress &)>;

} // namespace varnoth
