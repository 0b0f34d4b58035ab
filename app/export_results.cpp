#include "export_results.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <memory>
#include <vector>

namespace varnoth {
namespace {

// The dialog's file types, in the order it offers them.
struct ExportType {
    const char *filter;
    ReportFormat format;
    std::optional<ReportList> list;
};

const ExportType exportTypes[] = {
    {"HTML page (*.html)", ReportFormat::Html, std::nullopt},
    {"CSV, one file per list (*.csv)", ReportFormat::Csv, std::nullopt},
    {"CSV, top downloaders (*.csv)", ReportFormat::Csv, ReportList::Downloaders},
    {"CSV, most downloaded files (*.csv)", ReportFormat::Csv, ReportList::Files},
    {"CSV, most accessed folders (*.csv)", ReportFormat::Csv, ReportList::Folders},
    {"CSV, uploads per day (*.csv)", ReportFormat::Csv, ReportList::Days},
    {"CSV, uploads per hour (*.csv)", ReportFormat::Csv, ReportList::Hours},
    {"JSON (*.json)", ReportFormat::Json, std::nullopt},
};

const char *suffixOf(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Csv:
        return "csv";
    case ReportFormat::Json:
        return "json";
    case ReportFormat::Text:
        return "txt";
    case ReportFormat::Html:
        break;
    }
    return "html";
}

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
    QString stem = choice.path;
    if (stem.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        stem.chop(4);
    std::vector<ExportFile> files;
    for (ReportList list : allReportLists) {
        request.list = list;
        files.push_back({stem + QLatin1Char('-') + QLatin1String(reportListName(list)) + QStringLiteral(".csv"),
                         writeReport(report, request)});
    }
    return files;
}

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("The results could not be exported to ") + path + QStringLiteral(" : ") + reason;
}

} // namespace

std::optional<ExportChoice> askExportChoice(QWidget *parent, const QString &logPath)
{
    QFileDialog dialog(parent, QStringLiteral("Export results"));
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const ExportType &type : exportTypes)
        filters << QString::fromLatin1(type.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(suffixOf(exportTypes[0].format)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &filter) {
        const qsizetype index = filters.indexOf(filter);
        if (index >= 0)
            dialog.setDefaultSuffix(QString::fromLatin1(suffixOf(exportTypes[index].format)));
    });
    const QFileInfo log(logPath);
    dialog.setDirectory(log.absolutePath());
    dialog.selectFile(log.completeBaseName() + QStringLiteral("-results"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const qsizetype index = filters.indexOf(dialog.selectedNameFilter());
    const ExportType &type = exportTypes[index < 0 ? 0 : index];
    QString path = dialog.selectedFiles().first();
    // A name typed without a suffix gets the format's, whichever dialog the platform shows.
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + QLatin1String(suffixOf(type.format));
    return ExportChoice{path, type.format, type.list};
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

void exportResults(QWidget *parent, const AnalysisReport &report, const std::string &log, const NumberFormat &format,
                   const std::function<void(const QString &)> &showMessage)
{
    const auto choice = askExportChoice(parent, QString::fromStdString(log));
    if (!choice)
        return;
    const QString error = writeExport(*choice, report, log, format);
    if (!error.isEmpty())
        showMessage(error);
}

} // namespace varnoth
