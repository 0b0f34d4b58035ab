#pragma once

#include <cstdint>
#include <string_view>

#include "analysis_state.h"
#include "duration.h"

namespace varnoth {

// The client's own file list, counted apart from the real files.
bool isFileList(std::string_view filePath);

// Adds one upload to its downloader: uploads, megabytes and duration. A
// returning downloader's seconds and minutes carry at 60; a new downloader's
// first upload is stored as it comes. Returns true when the minutes carried
// into an hour. Throws Failure("Overflow") when a count leaves the 64-bit range.
bool addDownloaderUpload(AnalysisState &state, std::string_view nick, double megabytes,
                         const DurationParts &duration);

// Counts one upload of a path: the file-list counters for the client's file
// list, otherwise the file tally.
void addFileUpload(AnalysisState &state, std::string_view filePath, double megabytes);

// The same with the path's hashText() computed beforehand. Returns the
// file's position in the file tally (npos for the client's file list).
std::size_t addFileUpload(AnalysisState &state, std::string_view filePath, std::uint64_t pathHash, double megabytes);

// Counts one upload from a folder (callers skip uploads without a folder).
void addFolderAccess(AnalysisState &state, std::string_view folder);

// The same with the folder's hashText() computed beforehand. Returns the
// folder's position in the folder tally.
std::size_t addFolderAccess(AnalysisState &state, std::string_view folder, std::uint64_t folderHash);

// Counts one more upload from the folder already at this position.
void addFolderAccessAt(AnalysisState &state, std::size_t folderIndex);

} // namespace varnoth
