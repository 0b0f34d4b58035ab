#pragma once

#include <filesystem>
#include <string>

namespace varnoth {

// A UTF-8 path as the file system's path type, on every system.
std::filesystem::path pathFromUtf8(const std::string &utf8Path);
std::string pathToUtf8(const std::filesystem::path &path);

// True only for an existing regular file (links to one included). Folders,
// the empty path and paths that do not name a file as they stand (wildcard
// patterns are not expanded) are not found. Never throws.
bool fileExists(const std::string &utf8Path);

} // namespace varnoth
