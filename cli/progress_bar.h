#pragma once

#include <cstdio>

#include "analysis/progress.h"

namespace varnoth::cli {

// A progress bar redrawn in place on one line of a terminal while a run
// reads: the phase, a bar and the share done. Draws nothing when the stream
// is not a terminal, so that logs of scheduled jobs stay clean.
class ProgressBar {
public:
    explicit ProgressBar(std::FILE *stream);
    ~ProgressBar();
    ProgressBar(const ProgressBar &) = delete;
    ProgressBar &operator=(const ProgressBar &) = delete;

    // What the run calls; empty when nothing is drawn.
    ProgressCallback callback();
    // Erases the bar, leaving the line empty for what follows.
    void clear();

private:
    void draw(const Progress &progress);

    std::FILE *stream_;
    bool shown_ = false;
    int drawn_ = -1; // the last share drawn, in per mille
    RunPhase phase_ = RunPhase::CountingLines;
};

} // namespace varnoth::cli
