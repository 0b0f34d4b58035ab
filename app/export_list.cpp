#include "export_list.h"

#include <QFileInfo>
#include <exception>

#include "export_dialog.h"
#include "forms/output_file.h"
#include "report/csv_report.h"
#include "views/grid.h"

namespace varnoth {
namespace {

// A list's first column holds the names and paths that other users chose:
// guarded against a spreadsheet reading them as formulas. The other columns
// are the program's own numbers, durations and dates.
void appendRecord(std::string &out, const std::string *fields, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            out += ',';
        appendCsvField(out, fields[i], i == 0 ? CsvCells::Guarded : CsvCells::Exact);
    }
    out += "\r\n";
}

} // namespace

std::string listCsv(const Grid &grid)
{
    const std::vector<std::string> header = grid.headerTexts();
    const GridRows &rows = grid.dataRows();
    std::string out;
    appendRecord(out, header.data(), header.size());
    for (const std::size_t row : grid.shownDataRows())
        appendRecord(out, &rows.cell(row, 0), rows.columns);
    return out;
}

QString exportList(QWidget *parent, const Grid &grid, const QString &logPath, const QString &listName,
                   const ExportPrompts &prompts)
{
    const auto path =
        askListExportPath(parent, exportFolder(logPath),
                          QFileInfo(logPath).completeBaseName() + QLatin1Char('-') + listName, prompts.ask);
    if (!path)
        return {};
    try {
        writeFileAtomically(path->toStdString(), listCsv(grid));
    } catch (const std::exception &failure) {
        prompts.showMessage(QStringLiteral("The list could not be exported to ") + *path + QStringLiteral(" : ") +
                            QString::fromUtf8(failure.what()));
        return {};
    }
    rememberExportFolder(*path);
    return *path;
}

} // namespace varnoth
