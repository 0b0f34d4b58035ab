#pragma once

#include "analysis_state.h"
#include "forms/number_format.h"
#include "grid_rows.h"

namespace varnoth {

// The ranked result lists as their grids show them, data rows only, after the
// generic descending sort on the count columns (equal keys keep their order
// of first appearance).

// Top Downloaders: name, uploads, megabytes ("#####0.00"), upload time
// (HH:MM:SS). Also sums every downloader's time into TimeHours, TimeMinutes
// and TimeSeconds, carrying at 60.
GridRows topDownloaders(AnalysisState &state, const NumberFormat &format);

// Most Accessed Folders: folder, accesses. Also sums TotalFolderAccesses.
GridRows mostAccessedFolders(AnalysisState &state, const NumberFormat &format);

// Most Downloaded files: path (with its trailing blank), uploads; plus one
// row for each of the client's file lists that was uploaded.
GridRows mostDownloadedFiles(const AnalysisState &state, const NumberFormat &format);

} // namespace varnoth
