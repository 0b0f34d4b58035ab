#include "report_output.h"

#include <utility>

namespace varnoth {

ReportOutput::ReportOutput(Sink sink)
    : sink_(std::move(sink))
{
}

void ReportOutput::flush()
{
    if (block_.empty())
        return;
    sink_(block_);
    block_.clear();
}

} // namespace varnoth
