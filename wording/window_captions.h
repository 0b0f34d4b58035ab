#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/progress.h"

namespace varnoth {

// Texts that the window shows while it reads and when it shows a drill-down,
// exact to the blank.

// The window caption while a phase of a run reads or ranks.
const char *phaseCaption(RunPhase phase);

inline constexpr const char *analyzingCompleteCaption = "Varnoth : -Analyzing complete-";
inline constexpr const char *followingCaption = "Varnoth : Following";
inline constexpr const char *readingPersonalCaption = "Varnoth : Analyzing. - Reading Personal Information -";
inline constexpr const char *readingFileCaption = "Varnoth : Analyzing. - Reading File Information -";

// "Lines Completed : 120 / 120"
std::string linesCompletedCaption(std::int64_t linesCompleted, std::int64_t lineCount);

// The personal stats view: its title and the header of its file column.
std::string personalStatsTitle(std::string_view nick);
std::string personalStatsHeader(std::string_view nick);

// The file stats view's title: the file's last 60 characters and " Has been Uploaded to :".
std::string fileStatsTitle(std::string_view file);
// The same with the whole file text, for the title's tooltip.
std::string fileStatsWholeTitle(std::string_view file);

// After Export: "Varnoth : Exported to PATH", or with several files
// "Varnoth : 5 files exported to FOLDER".
std::string exportedCaption(std::string_view path);
std::string exportedFilesCaption(std::size_t count, std::string_view folder);

// Asked once before Export replaces files: every file it writes, one a
// line, those that exist marked "(exists)".
std::string replaceFilesQuestion(const std::vector<std::string> &files, const std::vector<bool> &exist);

// Beside a list's filter field: "12 of 3456".
std::string filterCountCaption(std::int64_t shown, std::int64_t total);

} // namespace varnoth
