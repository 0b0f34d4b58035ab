#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/progress.h"

namespace varnoth {

// Texts that the window shows while it reads and when it shows a drill-down,
// exact to the blank.

// The window caption while a phase of a run reads or ranks.
const char *phaseCaption(RunPhase phase);

inline constexpr const char *analyzingCompleteCaption = "Varnoth : -Analyzing complete-";
inline constexpr const char *readingPersonalCaption = "Varnoth : Analyzing. - Reading Personal Information -";
inline constexpr const char *readingFileCaption = "Varnoth : Analyzing. - Reading File Information -";

// "Lines Completed : 120 / 120"
std::string linesCompletedCaption(std::int64_t linesCompleted, std::int64_t lineCount);

// The personal stats view: its title and the header of its file column.
std::string personalStatsTitle(std::string_view nick);
std::string personalStatsHeader(std::string_view nick);

// The file stats view's title: the file's last 60 characters and " Has been Uploaded to :".
std::string fileStatsTitle(std::string_view file);

} // namespace varnoth
