#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis_state.h"
#include "forms/number_format.h"
#include "grid_rows.h"
#include "summary.h"

namespace varnoth {

enum class RunPhase {
    CountingLines,       // first pass
    ReadingInformation,  // second pass
    CountingDownloaders, // ranking grid1
    CountingFolders,     // ranking grid3
    CountingFiles,       // ranking grid2
};

// The window caption shown during a phase.
const char *phaseCaption(RunPhase phase);

// What a run tells the window while it works. Progress comes at a steady
// rate (about every 1 % of the lines or 100 ms), never per line. While the
// first pass counts the lines, progress reports 0 lines completed of the
// lines counted so far.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void phaseStarted(RunPhase) {}
    virtual void progress(std::int64_t linesCompleted, std::int64_t lineCount)
    {
        (void)linesCompleted;
        (void)lineCount;
    }
};

struct RunResult {
    bool completed = false;
    std::string message; // the message that ends the program when not completed
    GridRows grid1{4};   // Top Downloaders
    GridRows grid3{2};   // Most Accessed Folders
    GridRows grid2{2};   // Most Downloaded files
    std::vector<LabelCaption> labels; // the fourteen summary captions, in order
};

// Analyses the upload log at path: counts its upload lines, reads it again
// cutting every line and feeding the tallies, ranks the three lists and
// writes the summary. On success TotalLinesAnalyzed grows by the lines read.
// A run that cannot finish returns the message that ends the program:
// a corrupted line, a log without files or folders, or a failure.
RunResult analyzeLog(const std::string &path, AnalysisState &state, const NumberFormat &format,
                     RunObserver *observer = nullptr);

} // namespace varnoth
