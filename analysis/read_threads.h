#pragma once

#include "analysis_options.h"

namespace varnoth {

// The threads a read of the log uses: options.threads, or every hardware
// thread when that is 0.
unsigned readThreads(const AnalysisOptions &options);

// The threads named by a setting such as the environment variable
// VARNOTH_THREADS: a whole number from 1 to 1024; 0 (every hardware thread)
// when the text is missing or is not such a number.
unsigned threadsSetting(const char *text);

// The read method named by a setting such as the environment variable
// VARNOTH_READ: "mapped" or "buffered"; the default for anything else.
ReadMethod readMethodSetting(const char *text);

} // namespace varnoth
