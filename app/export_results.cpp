#include "export_results.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <system_error>
#include <vector>

#include "export_dialog.h"
#include "forms/failure.h"
#include "forms/output_file.h"

namespace varnoth {
namespace {

struct ExportFile {
    QString path;
    ReportRequest request;
};

// The files a choice writes: one, or one per list for CSV without a list.
// Names a spreadsheet would run as formulas are guarded.
std::vector<ExportFile> filesOf(const ExportChoice &choice, const std::vector<std::string> &logs,
                                const NumberFormat &format)
{
    ReportRequest request{
        choice.format, choice.list.value_or(ReportList::Downloaders), std::nullopt, logs, format, CsvCells::Guarded,
        std::nullopt};
    if (choice.format != ReportFormat::Csv || choice.list)
        return {{choice.path, request}};
    const std::vector<QString> paths = exportPaths(choice);
    std::vector<ExportFile> files;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        request.list = allReportLists[i];
        files.push_back({paths[i], request});
    }
    return files;
}

// Why a file could not be written: the system's words where it gave an error number.
QString reasonOf(const FileFailure &failure)
{
    return QString::fromStdString(failure.systemError() != 0 ? std::generic_category().message(failure.systemError())
                                                             : failure.description());
}

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("The results could not be exported to ") + path + QStringLiteral(" : ") + reason;
}

} // namespace

std::vector<QString> exportPaths(const ExportChoice &choice)
{
    if (choice.format != ReportFormat::Csv || choice.list)
        return {choice.path};
    QString stem = choice.path;
    if (stem.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        stem.chop(4);
    std::vector<QString> paths;
    for (ReportList list : allReportLists)
        paths.push_back(stem + QLatin1Char('-') + QLatin1String(reportListName(list)) + QStringLiteral(".csv"));
    return paths;
}

QString writeExport(const ExportChoice &choice, const AnalysisReport &report, const std::vector<std::string> &logs,
                    const NumberFormat &format)
{
    // Each file is written whole as its report is made (beside its target
    // when that is a file); only once all are complete is any put in place.
    std::vector<std::pair<QString, std::unique_ptr<OutputFile>>> written;
    for (const ExportFile &file : filesOf(choice, logs, format)) {
        try {
            auto output = std::make_unique<OutputFile>(QFile::encodeName(file.path).toStdString(), logs);
            ReportOutput out([&output](std::string_view block) { output->write(block); });
            writeReport(report, file.request, out);
            written.emplace_back(file.path, std::move(output));
        } catch (const FileFailure &refused) {
            return failure(file.path, reasonOf(refused));
        }
    }
    for (const auto &[path, output] : written) {
        try {
            output->commit();
        } catch (const FileFailure &refused) {
            return failure(path, reasonOf(refused));
        }
    }
    return {};
}

std::vector<QString> exportResults(QWidget *parent, const AnalysisReport &report, const std::vector<std::string> &logs,
                                   const NumberFormat &format, const ExportPrompts &prompts)
{
    const QString logPath = QString::fromStdString(logs.front());
    const auto choice = askExportChoice(
        parent, exportFolder(logPath), QFileInfo(logPath).completeBaseName() + QStringLiteral("-results"), prompts.ask);
    if (!choice)
        return {};
    const QString error = writeExport(*choice, report, logs, format);
    if (!error.isEmpty()) {
        prompts.showMessage(error);
        return {};
    }
    rememberExportFolder(choice->path);
    return exportPaths(*choice);
}

} // namespace varnoth
