#pragma once

#include <cstdio>
#include <string>

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
    void show(const std::string &line); // over the line drawn before

    std::FILE *stream_;
    bool shown_ = false;
    // What was drawn last: the share in per mille and the phase's name.
    int drawnShare_ = -1;
    const char *drawnName_ = nullptr;
};

} // namespace varnoth::cli
