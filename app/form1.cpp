#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "analysis/analysis_run.h"
#include "analysis/log_parts.h"
#include "drive_list.h"
#include "export_results.h"
#include "file_list.h"
#include "folder_list.h"
#include "forms/failure.h"
#include "forms/file_exists.h"
#include "forms/settings_file.h"
#include "panel_cover.h"
#include "views/background_read.h"
#include "views/drilldown_panel.h"
#include "views/grid.h"
#include "views/result_list_clicks.h"
#include "views/summary_labels.h"
#include "wording/list_headers.h"
#include "wording/messages.h"
#include "wording/result_cells.h"
#include "wording/summary_captions.h"
#include "wording/window_captions.h"

namespace varnoth {

namespace {

const QString pathHint = QStringLiteral("Browse your Upload.log filepath here");
const QString noSettingsMessage =
    QStringLiteral("Please type the complete path to your DC++ uploads.log file in the text field on the next screen "
                   "eg. C:\\program files\\dc++\\logs\\uploads.log");
const QString invalidChoiceMessage =
    QStringLiteral("Invalid Upload log file! You must select a valid DC++ Upload Logfile eg. "
                   "C:\\program files\\dc++\\logs\\uploads.log");
const QString lineBreakMessage =
    QStringLiteral("This path holds a line break or a NUL character, which the settings file cannot keep. "
                   "Rename the file or its folder, then choose the log again.");
const QString aboutAddress = QStringLiteral("varnoth@example.org");

NumberFormat systemNumberFormat()
{
    const QLocale locale = QLocale::system();
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

} // namespace

Form1::Form1(Form1Environment environment, QWidget *parent)
    : QMainWindow(parent)
    , environment_(std::move(environment))
    , options_{systemNumberFormat(), threadsSetting(std::getenv("VARNOTH_THREADS")), {}}
    , backgroundRead_(new BackgroundRead(this))
{
    buildControls();

    // The browse lists begin at the process's current folder.
    std::error_code error;
    const NativePath here = NativePath::fromBytes(pathToUtf8(std::filesystem::current_path(error)));
    Drive1->showDriveOf(here.text);
    currentDrive_ = Drive1->drive();
    Dir1->setPath(here.bytes);
    File1->setPath(Dir1->path().bytes);

    personalStats_ = std::make_unique<DrilldownPanel>(
        DrilldownPanel::Kind::Personal, DrilldownPanel::Controls{Picture4, Label21, grid4, grid1, Command3, Command4},
        *this);
    fileStats_ = std::make_unique<DrilldownPanel>(
        DrilldownPanel::Kind::File, DrilldownPanel::Controls{Picture5, Label22, grid5, grid2, Command3, Command4},
        *this);
    connectHandlers();
    Form1_Form_Load();
}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &Form1::Form1_Command1_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Form1_Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::Form1_Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::Form1_Command7_Click);
    connect(Drive1, &DriveList::driveChosen, this, &Form1::Form1_Drive1_Change);
    connect(Text1, &QLineEdit::returnPressed, this, &Form1::Form1_Text1_KeyPress);
    connect(Dir1, &FolderList::pathChanged, this, &Form1::Form1_Dir1_Change);
    connect(aboutvalikko, &QAction::triggered, this, &Form1::Form1_aboutvalikko_Click);
    connect(exitvalikko, &QAction::triggered, this, &Form1::Form1_exitvalikko_Click);
    connect(exportvalikko, &QAction::triggered, this, &Form1::Form1_exportvalikko_Click);
    connect(activityAction_, &QAction::triggered, this, &Form1::Form1_activityAction_Click);

    connect(grid1, &Grid::cellClicked, this, &Form1::Form1_grid1_Click);
    connect(grid2, &Grid::cellClicked, this, &Form1::Form1_grid2_Click);
    connect(grid4, &Grid::cellClicked, this, &Form1::Form1_grid4_Click);
    connect(grid5, &Grid::cellClicked, this, &Form1::Form1_grid5_Click);
    connect(Command3, &QPushButton::clicked, this, [this] { personalStats_->open(); });
    connect(Command8, &QPushButton::clicked, this, [this] { personalStats_->close(); });
    connect(Command4, &QPushButton::clicked, this, [this] { fileStats_->open(); });
    connect(Command9, &QPushButton::clicked, this, [this] { fileStats_->close(); });
    connect(backgroundRead_, &BackgroundRead::progressed, this, &Form1::showProgress, Qt::QueuedConnection);
}

// Start-up: the settings file decides whether Analyze is offered.
void Form1::Form1_Form_Load()
{
    const auto settings = readSettings(environment_.settingsFolders);
    if (!settings) {
        Text1->setText(pathHint);
        Command1->hide();
        message(noSettingsMessage);
    } else {
        SettingsHeader = settings->header;
        showLogPath(NativePath::fromBytes(settings->logPath));
        if (settings->header == settingsHeader)
            TotalLinesAnalyzed = settings->totalLinesAnalyzed;
        if (!fileExists(logPath())) {
            Text1->setText(pathHint);
            Command1->hide();
            Command5->show();
        } else {
            Command1->show();
            Text1->hide();
            setCaption(Label9, QStringLiteral("Upload log file : ") + Text1->text());
        }
    }
    writeGridHeaders();
    Command5->show();
}

void Form1::writeGridHeaders()
{
    struct Header {
        Grid *grid;
        std::vector<std::pair<const char *, int>> columns;
    };
    const Header headers[] = {
        {grid1,
         {{downloaderHeaders[0], 1500},
          {downloaderHeaders[1], 750},
          {downloaderHeaders[2], 750},
          {downloaderHeaders[3], 950}}},
        {grid2, {{fileHeaders[0], 5000}, {fileHeaders[1], 650}}},
        {grid3, {{folderHeaders[0], 3000}, {folderHeaders[1], 775}}},
        {grid4, {{"Files Uploded To :", 6250}, {"Mbytes:", 750}, {"Upload Time:", 950}}},
        {grid5, {{"Downloader:", 1500}, {"Download Time:", 1300}, {"Upload Date/time:", 1400}}},
    };
    for (const Header &header : headers) {
        header.grid->setRow(0);
        for (std::size_t column = 0; column < header.columns.size(); ++column) {
            header.grid->setCol(static_cast<int>(column));
            header.grid->setTextUtf8(header.columns[column].first);
            header.grid->setColWidth(static_cast<int>(column), header.columns[column].second);
        }
    }
    grid1->setColAlignment(0, 0);
}

// Analyze, or Quit once a run has finished.
void Form1::Form1_Command1_Click()
{
    if (Command1->text() == QLatin1String("Quit")) {
        quit();
        return;
    }
    const LogInput log = logInput();
    if (!fileExists(log.path())) {
        message(QString::fromUtf8(messages::invalidLogPath));
        Text1->show();
        setCaption(Label9, QStringLiteral("Upload log file :"));
        Command1->hide();
        focusControl(Text1);
        return;
    }

    Label5->show();
    Command1->setEnabled(false);
    Command5->hide();
    setBusy(true);
    Picture1->show();
    grid1->setRow(0);
    grid1->setCol(0);
    runAnalysis({});
}

// Reads the log on a worker thread, narrowed to range (the whole log when
// both ends are open), and shows what the run found. A failed run ends the
// program, except a range run that found nothing to rank: the results shown
// stay.
void Form1::runAnalysis(const DateRange &range)
{
    auto outcome = std::make_shared<AnalysisOutcome>();
    AnalysisOptions options = options_;
    options.range = range;
    const LogInput log = logInput();
    readInBackground(
        [log, options, outcome](const ProgressCallback &progress) { *outcome = analyzeLog(log, options, progress); },
        [this, outcome, range] {
            AnalysisReport *report = std::get_if<AnalysisReport>(outcome.get());
            if (report_ && std::holds_alternative<NoUploads>(*outcome)) {
                keepResults(range);
                return;
            }
            if (!report) {
                stopWithMessage(QString::fromStdString(messages::failureMessage(*outcome)));
                return;
            }
            letGoOfResults();
            options_.range = range;
            report_ = std::make_shared<const AnalysisReport>(std::move(*report));
            if (range.whole())
                wholeLogReport_ = report_;
            // Every completed run adds the upload lines it analysed.
            TotalLinesAnalyzed = addLinesAnalyzed(TotalLinesAnalyzed, report_->lineCount);
            showResults(*report_);
            emit readFinished();
        });
}

void Form1::showResults(const AnalysisReport &report)
{
    grid1->setDataRows(downloaderCells(report.downloaders, options_.numberFormat));
    grid1->setRow(grid1->rows() - 1);
    grid1->setCol(1);
    grid1->setColSel(grid1->cols() - 1);
    Label2->show();
    grid1->show();

    grid3->setDataRows(folderCells(report.folders));
    grid3->setRow(grid3->rows() - 1);
    grid3->setCol(1);
    grid3->show();
    Label8->show();

    grid2->setDataRows(fileCells(report.files));
    grid2->setRow(grid2->rows() - 1);
    grid2->setCol(1);
    Command3->show();
    Command4->show();

    const SummaryCaptions captions = summaryCaptions(report.summary, options_.numberFormat);
    for (const SummaryLabel &summaryLabel : summaryLabels) {
        if (auto *label = centralWidget()->findChild<QLabel *>(QString::fromLatin1(summaryLabel.label))) {
            setCaption(label, QString::fromStdString(captions.*summaryLabel.caption));
            label->show();
        }
    }

    grid2->show();
    showCaption(QString::fromUtf8(analyzingCompleteCaption));
    Command10->setText(QStringLiteral("Save Results"));
    exportvalikko->setEnabled(true);
    Grid1SortToggle = 0;
    grid1->show();
    Label3->show();
    Label2->show();
    setBusy(false);
    Command1->setText(QStringLiteral("Quit"));
    Command1->setEnabled(true);
    resultsShown();
    focusControl(grid1);
}

void Form1::quit()
{
    try {
        writeSettings(environment_.settingsFolders, logInput().path(), TotalLinesAnalyzed);
    } catch (const Failure &failure) {
        stopWithMessage(QString::fromStdString(messages::generalFailure(failure.description())));
        return;
    } catch (const std::exception &failure) {
        stopWithMessage(QString::fromStdString(messages::generalFailure(failure.what())));
        return;
    }
    environment_.endProgram();
}

void Form1::Form1_Command5_Click()
{
    setCaption(Label20, QStringLiteral("Select your Upload.log file to analyze:"));
    Command5->setEnabled(false);
    Picture3->show();
    Picture3->raise();
    focusControl(Dir1);
}

// A drive that cannot be read keeps the previous drive. Another drive opens
// the folder list at its root.
void Form1::Form1_Drive1_Change()
{
    const QString drive = Drive1->drive();
    if (drive == currentDrive_)
        return; // picking the drive already shown changes nothing
    if (!DriveList::isReadable(drive)) {
        message(QStringLiteral("Drive ") + drive + QStringLiteral(" cannot be read."));
        const QSignalBlocker quiet(Drive1);
        Drive1->setCurrentIndex(std::max(0, Drive1->findText(currentDrive_)));
        return;
    }
    currentDrive_ = drive;
    Dir1->setPath(NativePath::fromText(drive).bytes);
}

void Form1::Form1_Dir1_Change()
{
    File1->setPath(Dir1->path().bytes);
}

void Form1::Form1_Command6_Click()
{
    const NativePath candidate = NativePath::fromBytes(joinPath(Dir1->path().bytes, File1->fileName()));
    if (!settingsCanHold(candidate.bytes)) {
        message(lineBreakMessage);
        return;
    }
    if (!fileExists(candidate.bytes)) {
        message(invalidChoiceMessage);
        return;
    }
    acceptLogPath(candidate);
}

// Enter in the path field: the typed path is taken as the browse panel's OK
// takes a chosen file, once it passes the same checks as Analyze's.
void Form1::Form1_Text1_KeyPress()
{
    const NativePath typed{logPath(), Text1->text()};
    if (!settingsCanHold(typed.bytes)) {
        message(lineBreakMessage);
        return;
    }
    if (!fileExists(typed.bytes)) {
        message(QString::fromUtf8(messages::invalidLogPath));
        return;
    }
    acceptLogPath(typed);
}

// A log path that passed the existence test becomes the one Analyze reads
// and is remembered in the settings file.
void Form1::acceptLogPath(const NativePath &path)
{
    Command5->show();
    Command5->setEnabled(true);
    Command1->show();
    Picture3->hide();
    showLogPath(path);
    Text1->hide();
    setCaption(Label9, QStringLiteral("Upload log file : ") + path.text);
    focusControl(Command1);
    try {
        writeSettings(environment_.settingsFolders, path.bytes, TotalLinesAnalyzed);
    } catch (const std::exception &failure) {
        // The choice stands for this session; only remembering it failed.
        message(QStringLiteral("The settings file could not be written : ") + QString::fromUtf8(failure.what()));
    }
}

void Form1::showLogPath(const NativePath &path)
{
    logFile_ = path;
    Text1->setText(path.text);
}

void Form1::Form1_Command7_Click()
{
    Command5->setEnabled(true);
    Picture3->hide();
    focusControl(Command5);
}

void Form1::Form1_aboutvalikko_Click()
{
    message(QStringLiteral("Varnoth v. 1.0\nEmail any comments / suggestions about this software to ") + aboutAddress +
            QStringLiteral("\nTotal lines analyzed :  ") + QString::number(TotalLinesAnalyzed));
}

void Form1::Form1_exitvalikko_Click()
{
    environment_.endProgram();
}

void Form1::Form1_exportvalikko_Click()
{
    if (report_)
        exportResults(this, *report_, logInput().path(), options_.numberFormat,
                      [this](const QString &text) { message(text); });
}

void Form1::Form1_grid1_Click()
{
    topDownloadersClick(*grid1, *Command3, Grid1SortToggle);
}

void Form1::Form1_grid2_Click()
{
    mostDownloadedClick(*grid2, *Command4);
}

void Form1::Form1_grid4_Click()
{
    sortToggleStep(*grid4, Grid4SortToggle);
}

void Form1::Form1_grid5_Click()
{
    sortToggleStep(*grid5, Grid5SortToggle);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // The close box ends the program without writing anything.
    event->accept();
}

void Form1::showCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void Form1::setBusy(bool busy)
{
    if (busy && !busy_)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!busy && busy_)
        QApplication::restoreOverrideCursor();
    busy_ = busy;
}

void Form1::readInBackground(std::function<void(const ProgressCallback &)> read, std::function<void()> done)
{
    shownPhase_ = RunPhase::ReadingDrilldown;
    backgroundRead_->start(std::move(read), std::move(done));
}

// The one progress display of runs and drill-downs: the caption of each
// phase of a run, "Lines Completed : X / Y" while a run reads its uploads,
// and the fill, which spans the whole frame at 100 %.
void Form1::showProgress(const Progress &progress)
{
    if (progress.phase != shownPhase_ && progress.phase != RunPhase::ReadingDrilldown) {
        showCaption(QString::fromUtf8(phaseCaption(progress.phase)));
        if (progress.phase == RunPhase::ReadingInformation)
            Label23->show();
    }
    shownPhase_ = progress.phase;
    if (progress.phase == RunPhase::ReadingInformation)
        setCaption(Label23, QString::fromStdString(linesCompletedCaption(progress.linesCompleted, progress.lineCount)));
    const QRect inner = Picture1->contentsRect();
    const double share = std::clamp(progress.share, 0.0, 1.0);
    Picture2->setGeometry(inner.x(), inner.y(), static_cast<int>(share * inner.width() + 0.5), inner.height());
}

bool Form1::reading() const
{
    return backgroundRead_->running();
}

LogInput Form1::logInput() const
{
    return logPath();
}

// The path in Text1 as bytes: those it was shown for, unless the user has
// typed another path since.
std::string Form1::logPath() const
{
    return Text1->text() == logFile_.text ? logFile_.bytes : NativePath::fromText(Text1->text()).bytes;
}

void Form1::stopWithMessage(const QString &text)
{
    setBusy(false);
    message(text);
    environment_.endProgram();
}

void Form1::message(const QString &text)
{
    environment_.showMessage(text);
}

void Form1::setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    label->adjustSize();
}

} // namespace varnoth
