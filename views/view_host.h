#pragma once

#include <QString>
#include <functional>

#include "analysis/analysis_options.h"
#include "analysis/progress.h"
#include "forms/line_reader.h"

namespace varnoth {

// What the drill-down panels need of the window around them: its caption,
// the busy pointer, the log and how to read it, a read in the background
// with the window's progress display, and the way the program reports and
// stops.
class ViewHost {
public:
    virtual ~ViewHost() = default;

    virtual void showCaption(const QString &caption) = 0;
    virtual void setBusy(bool busy) = 0;
    virtual LogInput logInput() const = 0;
    virtual const AnalysisOptions &analysisOptions() const = 0;
    // Runs read on a worker thread, showing its progress; then done, on the
    // window's thread.
    virtual void readInBackground(std::function<void(const ProgressCallback &)> read, std::function<void()> done) = 0;
    // A message that ends the program: shown modally, then the program ends.
    virtual void stopWithMessage(const QString &message) = 0;
};

} // namespace varnoth
