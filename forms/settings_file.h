#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnoth {

// The settings file "quillon.ini": three lines, the header, the log path and
// the number of lines analysed over all runs.
struct Settings {
    std::string header;                  // the first line as read
    std::string logPath;                 // the second line, unchanged
    std::int64_t totalLinesAnalyzed = 0; // read only under the expected header
};

inline constexpr const char *settingsFileName = "quillon.ini";
inline constexpr const char *settingsHeader = "Quillon ini file 1";

// The lines-analysed total is a whole number of at most 18 digits, written as
// such (" 1234 ": a blank, the digits, a blank; never an exponent) and
// staying at its largest value once it gets there.
inline constexpr std::int64_t maxLinesAnalyzed = 999'999'999'999'999'999;

// total + lines, at most maxLinesAnalyzed (lines: 0 or more).
std::int64_t addLinesAnalyzed(std::int64_t total, std::int64_t lines);

// Line 3 as the total: its lenient number reading, digits read exactly (a
// whole number beyond 2^53 is not rounded), a fraction to the nearest whole
// number, above 18 digits the largest total; a negative value, one that is
// not finite (1e400) or not a number reads as 0.
std::int64_t readLinesAnalyzed(std::string_view line);

// The settings of a file's content, or nothing when it has fewer lines
// than its header calls for.
std::optional<Settings> readSettingsText(std::string_view content);

// The content of a settings file: the header, the log path and the total,
// each line ended by CR LF.
std::string settingsText(const std::string &logPath, std::int64_t totalLinesAnalyzed);

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
                          std::int64_t totalLinesAnalyzed);

} // namespace varnoth
