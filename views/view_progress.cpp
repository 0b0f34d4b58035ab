#include "view_progress.h"

#include "view_host.h"

namespace varnoth {

void ViewProgress::progress(std::int64_t linesCompleted, std::int64_t lineCount)
{
    host_.showProgressFill(linesCompleted, lineCount);
}

} // namespace varnoth
