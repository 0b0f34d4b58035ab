#include "run_progress.h"

#include "form1.h"

namespace varnoth {

void RunProgress::phaseStarted(RunPhase phase)
{
    form_.showCaption(QString::fromUtf8(phaseCaption(phase)));
    if (phase == RunPhase::ReadingInformation)
        form_.showLinesCompletedLabel();
}

void RunProgress::progress(std::int64_t linesCompleted, std::int64_t lineCount)
{
    form_.showRunProgress(linesCompleted, lineCount);
}

} // namespace varnoth
