#pragma once

#include <vector>

#include "analysis_report.h"
#include "tallies.h"

namespace varnoth {

// The ranked lists of a run, most uploads first; equal rows keep their order
// of first appearance. File and folder rows view the names in the tallies.

// Downloaders by uploads, then megabytes as shown (two decimals), then
// upload time.
std::vector<DownloaderRow> rankDownloaders(const Tallies &tallies);

// Folders by accesses.
std::vector<FolderRow> rankFolders(const Tallies &tallies);

// Files by uploads; each of the client's file lists that was uploaded is a
// row of its own after the files, before ranking.
std::vector<FileRow> rankFiles(const Tallies &tallies);

} // namespace varnoth
