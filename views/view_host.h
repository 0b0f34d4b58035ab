#pragma once

#include <QString>
#include <functional>
#include <stop_token>
#include <vector>

#include "analysis/analysis_options.h"
#include "analysis/log_tally.h"
#include "analysis/progress.h"

namespace varnoth {

// What the drill-down panels need of the window around them: its caption,
// the busy pointer, the logs and how to read them, a read in the background
// with the window's progress display, and the way the program reports and
// stops.
class ViewHost {
public:
    virtual ~ViewHost() = default;

    virtual void showCaption(const QString &caption) = 0;
    virtual void setBusy(bool busy) = 0;
    // The logs the results came from, each as far as it was read.
    virtual std::vector<LogExtent> logExtents() const = 0;
    // Changes when the results are read again from the logs' start: until
    // then, a view may read on from where it stopped.
    virtual int countsGeneration() const = 0;
    virtual const AnalysisOptions &analysisOptions() const = 0;
    // Runs read on a worker thread, showing its progress; then done, on the
    // window's thread. The read may be cancelled: it then ends Cancelled.
    virtual void readInBackground(std::function<void(const ProgressCallback &, std::stop_token)> read,
                                  std::function<void()> done) = 0;
    // A message that ends the program: shown modally, then the program ends.
    virtual void stopWithMessage(const QString &message) = 0;
    // A message shown modally; the program goes on.
    virtual void showMessage(const QString &message) = 0;
};

} // namespace varnoth
