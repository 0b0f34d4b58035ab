#include "export_results.h"

#include <QFileInfo>
#include <QSaveFile>
#include <memory>
#include <vector>

#include "export_dialog.h"

namespace varnoth {
namespace {

struct ExportFile {
    QString path;
    std::string content;
};

// The files a choice writes: one, or one per list for CSV without a list.
std::vector<ExportFile> filesOf(const ExportChoice &choice, const AnalysisReport &report, const std::string &log,
                                const NumberFormat &format)
{
    ReportRequest request{choice.format, choice.list.value_or(ReportList::Downloaders), std::nullopt, log, format};
    if (choice.format != ReportFormat::Csv || choice.list)
        return {{choice.path, writeReport(report, request)}};
    const std::vector<QString> paths = exportPaths(choice);
    std::vector<ExportFile> files;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        request.list = allReportLists[i];
        files.push_back({paths[i], writeReport(report, request)});
    }
    return files;
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

QString writeExport(const ExportChoice &choice, const AnalysisReport &report, const std::string &log,
                    const NumberFormat &format)
{
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const ExportFile &file : filesOf(choice, report, log, format)) {
        auto save = std::make_unique<QSaveFile>(file.path);
        if (!save->open(QIODevice::WriteOnly) ||
            save->write(file.content.data(), static_cast<qint64>(file.content.size())) !=
                static_cast<qint64>(file.content.size()))
            return failure(file.path, save->errorString());
        written.push_back(std::move(save));
    }
    // Every file is complete; only now is any existing one replaced.
    for (const auto &save : written) {
        if (!save->commit())
            return failure(save->fileName(), save->errorString());
    }
    return {};
}

std::vector<QString> exportResults(QWidget *parent, const AnalysisReport &report, const std::string &log,
                                   const NumberFormat &format, const ExportPrompts &prompts)
{
    const QString logPath = QString::fromStdString(log);
    const auto choice = askExportChoice(
        parent, exportFolder(logPath), QFileInfo(logPath).completeBaseName() + QStringLiteral("-results"), prompts.ask);
    if (!choice)
        return {};
    const QString error = writeExport(*choice, report, log, format);
    if (!error.isEmpty()) {
        prompts.showMessage(error);
        return {};
    }
    rememberExportFolder(choice->path);
    return exportPaths(*choice);
}

} // namespace varnoth
