#include "export_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <algorithm>
#include <string>
#include <vector>

#include "user_state.h"
#include "wording/display_text.h"
#include "wording/window_captions.h"

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
    {"Text (*.txt)", ReportFormat::Text, std::nullopt},
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

// The format a file name's suffix names, if any (letter case ignored).
std::optional<ReportFormat> formatOfSuffix(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return ReportFormat::Html;
    if (suffix == QLatin1String("csv"))
        return ReportFormat::Csv;
    if (suffix == QLatin1String("json"))
        return ReportFormat::Json;
    if (suffix == QLatin1String("txt"))
        return ReportFormat::Text;
    return std::nullopt;
}

// The type a name chooses: the chosen type, unless the name's suffix names
// another format, whose first type it then is.
std::size_t typeFor(const QString &path, std::size_t chosen)
{
    const auto format = formatOfSuffix(path);
    if (!format || *format == exportTypes[chosen].format)
        return chosen;
    for (std::size_t i = 0; i < std::size(exportTypes); ++i)
        if (exportTypes[i].format == *format)
            return i;
    return chosen;
}

// Whether the user agrees to replace what exists of paths (yes when nothing does).
bool mayReplace(const std::vector<QString> &paths, const AskQuestion &ask)
{
    std::vector<std::string> files;
    std::vector<bool> exist;
    for (const QString &path : paths) {
        files.push_back(printable(QDir::toNativeSeparators(path).toStdString()));
        exist.push_back(QFileInfo::exists(path));
    }
    if (std::find(exist.begin(), exist.end(), true) == exist.end())
        return true;
    return ask(QString::fromStdString(replaceFilesQuestion(files, exist)));
}

// A save dialog that asks before replacing nothing itself: the caller asks
// once for every file the choice writes.
void prepare(QFileDialog &dialog, const QString &folder, const QString &suggestedName)
{
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(folder);
    dialog.selectFile(suggestedName);
}

// While a name is typed in the dialog (Qt's own; a platform's dialog is left
// alone), the type list follows the format its suffix names. Choosing a type
// would put that type's suffix into the name, so the name is put back.
void followTypedSuffix(QFileDialog &dialog, const QStringList &filters)
{
    auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!name)
        return;
    QObject::connect(name, &QLineEdit::textChanged, &dialog, [&dialog, name, filters](const QString &text) {
        const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
        if (chosen < 0)
            return;
        const std::size_t type = typeFor(text, static_cast<std::size_t>(chosen));
        if (type == static_cast<std::size_t>(chosen))
            return;
        const int cursor = name->cursorPosition();
        dialog.selectNameFilter(filters[static_cast<qsizetype>(type)]);
        if (name->text() != text) {
            name->setText(text);
            name->setCursorPosition(cursor);
        }
    });
}

} // namespace

std::optional<ExportChoice> askExportChoice(QWidget *parent, const QString &folder, const QString &suggestedName,
                                            const AskQuestion &ask)
{
    QFileDialog dialog(parent, QStringLiteral("Export results"));
    prepare(dialog, folder, suggestedName);
    QStringList filters;
    for (const ExportType &type : exportTypes)
        filters << QString::fromLatin1(type.filter);
    dialog.setNameFilters(filters);
    followTypedSuffix(dialog, filters);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        QString path = dialog.selectedFiles().first();
        const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
        const ExportType &type = exportTypes[typeFor(path, chosen < 0 ? 0 : static_cast<std::size_t>(chosen))];
        // A name typed without a suffix gets the chosen type's, whichever dialog the platform shows.
        if (QFileInfo(path).suffix().isEmpty())
            path += QLatin1Char('.') + QLatin1String(suffixOf(type.format));
        const ExportChoice choice{path, type.format, type.list};
        if (mayReplace(exportPaths(choice), ask))
            return choice;
        dialog.selectFile(QFileInfo(path).fileName());
    }
}

std::optional<QString> askListExportPath(QWidget *parent, const QString &folder, const QString &suggestedName,
                                         const AskQuestion &ask)
{
    QFileDialog dialog(parent, QStringLiteral("Export this list"));
    prepare(dialog, folder, suggestedName);
    dialog.setNameFilter(QStringLiteral("CSV (*.csv)"));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        QString path = dialog.selectedFiles().first();
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".csv");
        if (mayReplace({path}, ask))
            return path;
        dialog.selectFile(QFileInfo(path).fileName());
    }
}

QString exportFolder(const QString &logPath)
{
    const QString remembered = UserState().value(QStringLiteral("export/folder")).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    return QFileInfo(logPath).absolutePath();
}

void rememberExportFolder(const QString &writtenPath)
{
    UserState().setValue(QStringLiteral("export/folder"), QFileInfo(writtenPath).absolutePath());
}

} // namespace varnoth
