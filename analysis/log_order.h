#pragma once

#include <vector>

#include "forms/line_reader.h"

namespace varnoth {

// Logs chosen together (monthly logs, rotated ones, compressed ones) in the
// order they are read as one log: by their first dated line, oldest first;
// logs that begin at the same moment, and logs without a dated line near
// their start (or that cannot be read), by name after them.
std::vector<LogInput> inReadingOrder(std::vector<LogInput> logs);

} // namespace varnoth
