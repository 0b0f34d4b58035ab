#pragma once

#include "analysis/analysis_run.h"

namespace varnoth {

class ViewHost;

// Passes a drill-down read's progress to the window's progress fill, which
// also keeps the window painted while the read runs.
class ViewProgress : public RunObserver {
public:
    explicit ViewProgress(ViewHost &host)
        : host_(host)
    {
    }
    void progress(std::int64_t linesCompleted, std::int64_t lineCount) override;

private:
    ViewHost &host_;
};

} // namespace varnoth
