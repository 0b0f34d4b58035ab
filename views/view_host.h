#pragma once

#include <QString>
#include <cstdint>
#include <string>

#include "analysis/analysis_state.h"
#include "forms/number_format.h"

namespace varnoth {

// What the result views need of the window around them: its caption, the
// busy pointer, the progress fill, the log path, the analysis state and the
// way the program reports and stops.
class ViewHost {
public:
    virtual ~ViewHost() = default;

    // Sets the window caption and repaints the window at once.
    virtual void showCaption(const QString &caption) = 0;
    virtual void setBusy(bool busy) = 0;
    // Sets the progress fill from done / total and repaints it.
    virtual void showProgressFill(std::int64_t done, std::int64_t total) = 0;
    virtual std::string logPath() const = 0;
    virtual AnalysisState &analysisState() = 0;
    virtual const NumberFormat &numberFormat() const = 0;
    // A message that ends the program: shown modally, then the program ends.
    virtual void stopWithMessage(const QString &message) = 0;
};

} // namespace varnoth
