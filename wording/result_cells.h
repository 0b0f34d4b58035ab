#pragma once

#include <string>
#include <vector>

#include "analysis/analysis_report.h"
#include "analysis/drilldown.h"
#include "forms/number_format.h"
#include "grid_rows.h"

namespace varnoth {

// The cell texts of the result lists, as the grids show them. Megabytes are
// written with the user's decimal separator.

// "HH:MM:SS", each part at least two digits: 1 h 5 min 9 s gives "01:05:09".
std::string uploadTimeText(const UploadTime &time);

// The cells of one row, appended to cells.
void addDownloaderCells(const DownloaderRow &row, const NumberFormat &format, std::vector<std::string> &cells);
void addFolderCells(const FolderRow &row, std::vector<std::string> &cells);
void addFileCells(const FileRow &row, std::vector<std::string> &cells);

// Name, uploads, megabytes ("#####0.00"), upload time.
GridRows downloaderCells(const std::vector<DownloaderRow> &rows, const NumberFormat &format);
// Folder, accesses.
GridRows folderCells(const std::vector<FolderRow> &rows);
// File (with the blank that ends it), uploads.
GridRows fileCells(const std::vector<FileRow> &rows);
// File, megabytes ("0.00"), duration.
GridRows personalCells(const std::vector<PersonalUpload> &rows, const NumberFormat &format);
// Nick, duration, date and time.
GridRows fileUploadCells(const std::vector<FileUpload> &rows);

} // namespace varnoth
