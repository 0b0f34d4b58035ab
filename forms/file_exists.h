#pragma once

#include <filesystem>
#include <string>

namespace varnoth {

// A path as the file functions take it, as the file system's path type. On
// Windows the text is UTF-8; elsewhere it is the system's own bytes, which are
// UTF-8 for most names but need not be (a Latin-1 name stays as it is).
std::filesystem::path pathFromUtf8(const std::string &utf8Path);
std::string pathToUtf8(const std::filesystem::path &path);

// True only for an existing regular file (links to one included). Folders,
// the empty path and paths that do not name a file as they stand (wildcard
// patterns are not expanded) and paths holding a NUL byte (the system would
// cut them there) are not found. Never throws.
bool fileExists(const std::string &utf8Path);

} // namespace varnoth
