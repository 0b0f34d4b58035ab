#pragma once

#include <QString>
#include <string>

#include "export_results.h"

class QWidget;

namespace varnoth {

class Grid;

// One list as CSV, as the grid shows it: the header line, then the rows
// shown (filtered and sorted as they stand), with their exact texts; fields
// written as the CSV report writes them, records ended by CR LF.
std::string listCsv(const Grid &grid);

// "Export this list…": asks for a CSV file (in the folder of the last
// export, else the log's), writes the list there whole or not at all, and
// shows why when it could not. Returns the file written; empty when the
// user cancelled or writing failed.
QString exportList(QWidget *parent, const Grid &grid, const QString &logPath, const QString &listName,
                   const ExportPrompts &prompts);

} // namespace varnoth
