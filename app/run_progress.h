#pragma once

#include "analysis/analysis_run.h"

namespace varnoth {

class Form1;

// Shows an analysis run on the window: the caption of each phase, the
// progress fill and "Lines Completed : X / Y".
class RunProgress : public RunObserver {
public:
    explicit RunProgress(Form1 &form)
        : form_(form)
    {
    }
    void phaseStarted(RunPhase phase) override;
    void progress(std::int64_t linesCompleted, std::int64_t lineCount) override;

private:
    Form1 &form_;
};

} // namespace varnoth
