#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "export_results.h"

class QWidget;

namespace varnoth {

// Asks a question with Yes and No; true for Yes.
using AskQuestion = std::function<bool(const QString &question)>;

// The save dialog of Export, its file types the report's formats. A typed
// suffix that names a format (.html, .htm, .csv, .json, .txt) chooses that
// format, and the type list follows it while the name is typed; otherwise
// the chosen type decides. When files the choice writes exist already, ask
// names every file it writes, once; No goes back to the dialog. It opens in
// folder, on the name suggested. Nothing when the user cancels.
std::optional<ExportChoice> askExportChoice(QWidget *parent, const QString &folder, const QString &suggestedName,
                                            const AskQuestion &ask);

// The same for one list as CSV: only the CSV type is offered.
std::optional<QString> askListExportPath(QWidget *parent, const QString &folder, const QString &suggestedName,
                                         const AskQuestion &ask);

// The folder Export opens in: that of the last export, remembered per user,
// else the log's folder.
QString exportFolder(const QString &logPath);
void rememberExportFolder(const QString &writtenPath);

} // namespace varnoth
