#pragma once

#include <cstdint>
#include <string>
#include <type_traits>

#include "analysis/outcome.h"
#include "display_text.h"

namespace varnoth::messages {

// "at line 12", or with several logs "at line 12 of uploads.log.1".
inline std::string corruptedPlace(const Corrupted &corrupted)
{
    std::string place = "at line " + std::to_string(corrupted.line);
    if (!corrupted.log.empty())
        place += " of " + printable(corrupted.log);
    return place;
}

inline std::string corruptedLine(std::uint64_t lineNumber)
{
    return "Corrupted data found at line " + std::to_string(lineNumber) + ". Quitting...";
}

inline std::string corruptedLine(const Corrupted &corrupted)
{
    return "Corrupted data found " + corruptedPlace(corrupted) + ". Quitting...";
}

// A corrupted line among those appended to a followed log.
inline std::string followingStopped(const Corrupted &corrupted)
{
    return "Corrupted data found " + corruptedPlace(corrupted) + ". Following stopped.";
}

inline const char *const logChanged = "The log changed while it was read";

inline const char *const pathWithLineBreak =
    "This path holds a line break or a NUL character, which the settings file cannot keep. "
    "Rename the file or its folder, then choose the log again.";

inline const char *const corruptedView = "Corrupted data found. Quitting...";

inline const char *const noFilesOrFolders = "No uploaded files or folders found or all files are (MyLists) Quitting...";

// "Following error has occured : WHY. Quitting..." (or another ending).
inline std::string generalFailure(const std::string &description, const std::string &ending = "Quitting...")
{
    return "Following error has occured : " + description + ". " + ending;
}

// What could not be read, naming the log when there are several.
inline std::string unreadableText(const Unreadable &unreadable)
{
    return unreadable.log.empty() ? unreadable.cause : printable(unreadable.log) + ": " + unreadable.cause;
}

inline const char *const invalidLogPath = "Invalid Upload log file path! Enter the correct path to textfield. "
                                          "eg. C:\\program files\\dc++\\logs\\uploads.log";

// Who read the log: a drill-down reports a corrupted line without its number.
enum class Reader { Run, Drilldown };

// The message that ends the program for an outcome that did not complete
// (empty for a completed one, and for a read that was cancelled).
template <class Result> std::string failureMessage(const Outcome<Result> &outcome, Reader reader = Reader::Run)
{
    return std::visit(
        [reader](const auto &o) -> std::string {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, Corrupted>)
                return reader == Reader::Run ? corruptedLine(o) : std::string(corruptedView);
            else if constexpr (std::is_same_v<T, NoUploads>)
                return noFilesOrFolders;
            else if constexpr (std::is_same_v<T, Unreadable>)
                return generalFailure(unreadableText(o));
            else if constexpr (std::is_same_v<T, Failed>)
                return generalFailure(o.description);
            else if constexpr (std::is_same_v<T, LogChanged>)
                return logChanged;
            else
                return {};
        },
        outcome);
}

// The message for a refresh of results that did not complete: the same
// failure, but the program goes on with the results it showed.
template <class Result> std::string resultsKeptMessage(const Outcome<Result> &outcome)
{
    const std::string kept = "The results shown are kept.";
    return std::visit(
        [&](const auto &o) -> std::string {
            using T = std::decay_t<decltype(o)>;
            if constexpr (std::is_same_v<T, Corrupted>)
                return "Corrupted data found " + corruptedPlace(o) + ". " + kept;
            else if constexpr (std::is_same_v<T, NoUploads>)
                return "No uploaded files or folders found or all files are (MyLists). " + kept;
            else if constexpr (std::is_same_v<T, Unreadable>)
                return generalFailure(unreadableText(o), kept);
            else if constexpr (std::is_same_v<T, Failed>)
                return generalFailure(o.description, kept);
            else if constexpr (std::is_same_v<T, LogChanged>)
                return std::string(logChanged) + ". " + kept;
            else
                return {};
        },
        outcome);
}

} // namespace varnoth::messages
