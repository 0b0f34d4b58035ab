#include "export_results.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>
#include <system_error>
#include <vector>

#include "forms/failure.h"
#include "forms/output_file.h"

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
    ReportRequest request;
};

// The files a choice writes: one, or one per list for CSV without a list.
std::vector<ExportFile> filesOf(const ExportChoice &choice, const std::string &log, const NumberFormat &format)
{
    ReportRequest request{choice.format,    choice.list.value_or(ReportList::Downloaders), std::nullopt, log, format,
                          CsvCells::Guarded};
    if (choice.format != ReportFormat::Csv || choice.list)
        return {{choice.path, request}};
    QString stem = choice.path;
    if (stem.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        stem.chop(4);
    std::vector<ExportFile> files;
    for (ReportList list : allReportLists) {
        request.list = list;
        files.push_back(
            {stem + QLatin1Char('-') + QLatin1String(reportListName(list)) + QStringLiteral(".csv"), request});
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
    // Each file is written whole as its report is made (beside its target
    // when that is a file); only once all are complete is any put in place.
    std::vector<std::pair<QString, std::unique_ptr<OutputFile>>> written;
    for (const ExportFile &file : filesOf(choice, log, format)) {
        try {
            auto output =
                std::make_unique<OutputFile>(QFile::encodeName(file.path).toStdString(), std::vector<std::string>{log});
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
