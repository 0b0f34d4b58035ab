#pragma once

#include <vector>

#include "analysis_report.h"

namespace varnoth {

// The ranked lists of a report, most uploads first. Each takes its rows in
// order of first appearance; equal rows keep that order.

// Downloaders by uploads, then megabytes as shown (two decimals), then
// upload time.
void rankDownloaders(std::vector<DownloaderRow> &rows);

// Folders by accesses.
void rankFolders(std::vector<FolderRow> &rows);

// Files by uploads (the client's file lists as rows of their own).
void rankFiles(std::vector<FileRow> &rows);

} // namespace varnoth
