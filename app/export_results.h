#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_report.h"
#include "forms/number_format.h"
#include "report/report_request.h"

class QWidget;

namespace varnoth {

// What File -> Export results writes: a format and, for CSV, one list or
// every list (one file each, named after the chosen file: results.csv gives
// results-downloaders.csv, results-files.csv and so on).
struct ExportChoice {
    QString path;
    ReportFormat format = ReportFormat::Html;
    std::optional<ReportList> list; // CSV only; empty for every list
};

// The files a choice writes: its path, or for CSV of every list one file
// per list named after it.
std::vector<QString> exportPaths(const ExportChoice &choice);

// Writes what the choice names, with the same content as varnoth-report.
// Every file goes through OutputFile (a link is written through, a device
// written directly, the log itself refused) and is put in place only once
// all of them are complete, so a failure leaves every existing file as it
// was. Returns why a file could not be written; empty on success.
// logs: every log of the results, in reading order (the first names the export).
QString writeExport(const ExportChoice &choice, const AnalysisReport &report, const std::vector<std::string> &logs,
                    const NumberFormat &format);

// What Export needs of the window: a question with Yes and No (true for
// Yes) and a message.
struct ExportPrompts {
    std::function<bool(const QString &)> ask;
    std::function<void(const QString &)> showMessage;
};

// Export as the menu runs it: asks (see askExportChoice), writes, and shows
// why when writing failed. Returns the files written; none when the user
// cancelled or writing failed.
std::vector<QString> exportResults(QWidget *parent, const AnalysisReport &report, const std::vector<std::string> &logs,
                                   const NumberFormat &format, const ExportPrompts &prompts);

} // namespace varnoth
