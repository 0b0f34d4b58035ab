#pragma once

#include <cstdint>
#include <string>

namespace varnoth::messages {

inline std::string corruptedLine(std::uint64_t lineNumber)
{
    return "Corrupted data found at line " + std::to_string(lineNumber) + ". Quitting...";
}

inline const char *const corruptedView = "Corrupted data found. Quitting...";

inline const char *const noFilesOrFolders =
    "No uploaded files or folders found or all files are (MyLists) Quitting...";

inline std::string generalFailure(const std::string &description)
{
    return "Following error has occured : " + description + ". Quitting...";
}

inline const char *const invalidLogPath = "Invalid Upload log file path! Enter the correct path to textfield. "
                                          "eg. C:\\program files\\dc++\\logs\\uploads.log";

} // namespace varnoth::messages
