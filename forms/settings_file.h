#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "number_format.h"

namespace varnoth {

// The settings file "quillon.ini": three lines, the header, the log path and
// the number of lines analysed over all runs.
struct Settings {
    std::string header;            // the first line as read
    std::string logPath;           // the second line, unchanged
    double totalLinesAnalyzed = 0; // read only under the expected header
};

inline constexpr const char *settingsFileName = "quillon.ini";
inline constexpr const char *settingsHeader = "Quillon ini file 1";

// Reads the settings file written last among the folders' files: the one
// with the newest modification time, the earlier folder on a tie. A file
// that is missing, unreadable or has fewer lines than its header calls for
// counts as absent.
std::optional<Settings> readSettings(const std::vector<std::string> &folders);

// Whether a log path fits on one line of the settings file: no carriage
// return, line feed or NUL.
bool settingsCanHold(std::string_view logPath);

// Writes the settings file into the first folder that takes it: a temporary
// file in that folder is written whole, synced, then renamed over the old
// file, so a failure never leaves a half-written settings file; temporary
// files left there by a write that was killed are removed first. Missing
// folders are created. Returns the path written; throws Failure when the
// path does not fit on a line (settingsCanHold) or no folder takes it.
std::string writeSettings(const std::vector<std::string> &folders, const std::string &logPath,
                          double totalLinesAnalyzed, const NumberFormat &format);

} // namespace varnoth
