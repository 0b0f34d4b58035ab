#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <utility>

#include "activity_window.h"
#include "analysis/analysis_run.h"
#include "analysis/read_threads.h"
#include "drive_list.h"
#include "export_list.h"
#include "export_results.h"
#include "file_list.h"
#include "folder_list.h"
#include "forms/failure.h"
#include "forms/file_exists.h"
#include "forms/settings_file.h"
#include "log_follower.h"
#include "panel_cover.h"
#include "user_state.h"
#include "views/background_read.h"
#include "views/drilldown_panel.h"
#include "views/elided_label.h"
#include "views/grid.h"
#include "views/result_list_clicks.h"
#include "views/shown_text.h"
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
const QString lineBreakMessage = QString::fromUtf8(messages::pathWithLineBreak);
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
    , follower_(new LogFollower(this))
{
    buildControls();
    for (const SummaryLabel &summaryLabel : summaryLabels)
        if (auto *label = centralWidget()->findChild<QLabel *>(QString::fromLatin1(summaryLabel.label)))
            startupCaptions_.emplace_back(label, label->text());
    backgroundRead_->setCancelButton(cancelButton_);
    setAcceptDrops(true);

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
    options_.readMethod = readMethodSetting(std::getenv("VARNOTH_READ"));
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

    // Enter (or a double click) on a file does what OK does, for that file.
    connect(File1, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        File1->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
        Form1_Command6_Click();
    });

    connect(grid1, &Grid::cellClicked, this, &Form1::Form1_grid1_Click);
    connect(grid2, &Grid::cellClicked, this, &Form1::Form1_grid2_Click);
    // A keyboard move arms or disarms the Show… button as a click on the cell would.
    connect(grid1, &Grid::currentMoved, this, [this] { armNameButton(*grid1, *Command3); });
    connect(grid2, &Grid::currentMoved, this, [this] { armFileButton(*grid2, *Command4); });
    for (Grid *grid : {grid1, grid2, grid3, grid4, grid5})
        connect(grid, &Grid::contextMenuWanted, this,
                [this, grid](int row, const QPoint &at) { showListMenu(grid, row, at); });
    for (const ListFilter &filter : filters_) {
        connect(filter.field, &QLineEdit::textChanged, filter.grid, &Grid::setFilter);
        connect(filter.field, &QLineEdit::returnPressed, filter.grid, [grid = filter.grid] { focusControl(grid); });
        connect(filter.grid, &Grid::filterChanged, filter.count, [this, filter](int shownRows, int total) {
            const bool narrowed = !filter.field->text().isEmpty();
            filter.count->setCaption(narrowed ? QString::fromStdString(filterCountCaption(shownRows, total))
                                              : QString());
            filter.count->setVisible(narrowed && filter.grid->isVisible());
            placeFilters();
        });
    }
    connect(grid4, &Grid::cellClicked, this, &Form1::Form1_grid4_Click);
    connect(grid5, &Grid::cellClicked, this, &Form1::Form1_grid5_Click);
    connect(Command3, &QPushButton::clicked, this, [this] { personalStats_->open(); });
    connect(Command8, &QPushButton::clicked, this, [this] { personalStats_->close(); });
    connect(Command4, &QPushButton::clicked, this, [this] { fileStats_->open(); });
    connect(Command9, &QPushButton::clicked, this, [this] { fileStats_->close(); });
    connect(backgroundRead_, &BackgroundRead::progressed, this, &Form1::showProgress, Qt::QueuedConnection);

    connect(openAction_, &QAction::triggered, this, &Form1::openLogsDialog);
    connect(recentMenu_, &QMenu::aboutToShow, this, &Form1::fillRecentMenu);
    connect(refreshAction_, &QAction::triggered, this, &Form1::refreshResults);
    connect(followAction_, &QAction::toggled, this, &Form1::setFollowing);
    connect(cancelButton_, &QPushButton::clicked, this, &Form1::cancelRead);
    connect(follower_, &LogFollower::grew, this, &Form1::followTick);
}

// Start-up: the settings file decides whether Analyze is offered.
void Form1::Form1_Form_Load()
{
    const auto settings = readSettings(environment_.settingsFolders);
    if (!settings) {
        Text1->setText(pathHint);
        Command1->hide();
        if (environment_.logsGiven.isEmpty())
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
            showLogNames();
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
    bool found = true;
    for (const LogInput &log : logInputs())
        found = found && fileExists(log.path());
    if (!found) {
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

// Reads the logs on a worker thread, narrowed to range (the whole logs
// when both ends are open), into counts that live on for refreshes, and
// shows what the run found. A failed run ends the program, except a range
// run that found nothing to rank: the results shown stay. A cancelled run
// changes nothing.
void Form1::runAnalysis(const DateRange &range)
{
    AnalysisOptions options = options_;
    options.range = range;
    auto tally = std::make_shared<LogTally>(logInputs(), options);
    auto outcome = std::make_shared<AnalysisOutcome>(Cancelled{});
    const bool firstRun = !report_;
    readInBackground(
        [tally, outcome](const ProgressCallback &progress, std::stop_token stop) {
            const Outcome<ReadDone> read = tally->read(LogTally::Reading::Refresh, progress, stop);
            if (!completed(read)) {
                *outcome = notCompleted<AnalysisReport>(read);
                return;
            }
            reportRankingPhases(progress, tally->uploads());
            *outcome = tally->report(LogTally::LastLine::End);
        },
        [this, outcome, range, tally, firstRun] {
            AnalysisReport *report = std::get_if<AnalysisReport>(outcome.get());
            if (std::holds_alternative<Cancelled>(*outcome)) {
                runEnded(firstRun);
                return;
            }
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
            ++countsGeneration_;
            if (range.whole()) {
                wholeLogReport_ = report_;
                wholeTally_ = tally;
                rangeTally_.reset();
            } else {
                rangeTally_ = tally;
            }
            // Every completed run adds the upload lines it analysed.
            TotalLinesAnalyzed = addLinesAnalyzed(TotalLinesAnalyzed, report_->lineCount);
            showResults(*report_);
            if (followAction_->isChecked())
                setFollowing(true);
            emit readFinished();
        });
}

// A run that was cancelled: a first run leaves the window as it was before
// Analyze, a range run the results shown.
void Form1::runEnded(bool firstRun)
{
    setBusy(false);
    if (firstRun) {
        for (QWidget *progress :
             {static_cast<QWidget *>(Label5), static_cast<QWidget *>(Picture1), static_cast<QWidget *>(Label23)})
            progress->hide();
        setCaption(Label23, QStringLiteral("Lines Completed :"));
        showCaption(QStringLiteral("Varnoth"));
        Command1->setEnabled(true);
        Command5->show();
        Command5->setEnabled(true);
        focusControl(Command1);
    } else {
        Command1->setEnabled(true);
        showReadState();
    }
}

// Each list starts at its first row, shown at the top.
void Form1::showResults(const AnalysisReport &report)
{
    grid1->setDataRows(downloaderCells(report.downloaders, options_.numberFormat));
    grid1->setRow(1);
    grid1->setCol(1);
    grid1->setColSel(grid1->cols() - 1);
    grid1->scrollToTop();
    Label2->show();
    grid1->show();

    grid3->setDataRows(folderCells(report.folders));
    grid3->setRow(1);
    grid3->setCol(1);
    grid3->scrollToTop();
    grid3->show();
    Label8->show();

    grid2->setDataRows(fileCells(report.files));
    grid2->setRow(1);
    grid2->setCol(1);
    grid2->scrollToTop();
    for (const ListFilter &filter : filters_)
        filter.field->show();
    Command3->show();
    Command4->show();

    fillSummary(report);

    grid2->show();
    showCaption(QString::fromUtf8(analyzingCompleteCaption));
    Command10->setText(QStringLiteral("Save Results"));
    exportvalikko->setEnabled(true);
    refreshAction_->setEnabled(true);
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

// Fresher results of the same logs, in place: each list keeps its
// selected row, its scroll position and a click sort; the Show… buttons
// follow the rows they name.
void Form1::updateResults(const AnalysisReport &report)
{
    grid1->refreshDataRows(downloaderCells(report.downloaders, options_.numberFormat));
    grid3->refreshDataRows(folderCells(report.folders));
    grid2->refreshDataRows(fileCells(report.files));
    if (Command3->isEnabled())
        armNameButton(*grid1, *Command3);
    if (Command4->isEnabled())
        armFileButton(*grid2, *Command4);
    fillSummary(report);
    if (activityWindow_)
        activityWindow_->showReport(*report_, *wholeLogReport_, options_.numberFormat);
}

void Form1::fillSummary(const AnalysisReport &report)
{
    const SummaryCaptions captions = summaryCaptions(report.summary, options_.numberFormat);
    for (const SummaryLabel &summaryLabel : summaryLabels) {
        if (auto *label = centralWidget()->findChild<QLabel *>(QString::fromLatin1(summaryLabel.label))) {
            setCaption(label, QString::fromStdString(captions.*summaryLabel.caption));
            label->show();
        }
    }
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
    endProgram();
}

// Ctrl+Q: after a run as Quit, which writes the settings file; before one as Exit.
void Form1::quitShortcut()
{
    if (Command1->text() == QLatin1String("Quit") && Command1->isEnabled())
        quit();
    else
        Form1_exitvalikko_Click();
}

void Form1::endProgram()
{
    saveWindowPlace();
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
// (in place of the results of other logs) and is remembered in the
// settings file.
void Form1::acceptLogPath(const NativePath &path)
{
    chooseLogs({path});
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
    endProgram();
}

void Form1::Form1_exportvalikko_Click()
{
    if (report_)
        showExported(exportResults(this, *report_, logPaths(), options_.numberFormat,
                                   {environment_.ask, [this](const QString &text) { message(text); }}));
}

void Form1::exportThisList(Grid *grid)
{
    const std::pair<const Grid *, const char *> names[] = {{grid1, reportListName(ReportList::Downloaders)},
                                                           {grid2, reportListName(ReportList::Files)},
                                                           {grid3, reportListName(ReportList::Folders)},
                                                           {grid4, "personal-stats"},
                                                           {grid5, "file-stats"}};
    const char *name = "list";
    for (const auto &[list, listName] : names)
        if (list == grid)
            name = listName;
    const QString written =
        exportList(this, *grid, QString::fromStdString(logInput().path()), QString::fromLatin1(name),
                   {environment_.ask, [this](const QString &text) { message(text); }});
    if (!written.isEmpty())
        showExported({written});
}

// "Varnoth : Exported to PATH" or "Varnoth : N files exported to FOLDER",
// until the user's next key or click in the window.
void Form1::showExported(const std::vector<QString> &paths)
{
    if (paths.empty())
        return;
    const QString before = exportCaptionShown_ ? captionBeforeExport_ : windowTitle();
    const std::string shownPath =
        QDir::toNativeSeparators(paths.size() == 1 ? paths.front() : QFileInfo(paths.front()).absolutePath())
            .toStdString();
    showCaption(
        shownText(paths.size() == 1 ? exportedCaption(shownPath) : exportedFilesCaption(paths.size(), shownPath)));
    captionBeforeExport_ = before;
    exportCaptionShown_ = true;
    qApp->installEventFilter(this);
}

// Esc closes what is open over the lists: the browse panel (as Cancel), a
// list's filter (from its field or its list), or a drill-down view (as
// Close Stats).
void Form1::Form1_Escape()
{
    if (!Picture3->isHidden()) {
        Form1_Command7_Click();
        return;
    }
    const QWidget *focus = focusWidget();
    for (const ListFilter &filter : filters_) {
        if ((focus == filter.field || focus == filter.grid) && !filter.field->text().isEmpty()) {
            filter.field->clear();
            focusControl(filter.grid);
            return;
        }
    }
    if (personalStats_->isOpen())
        personalStats_->close();
    else if (fileStats_->isOpen())
        fileStats_->close();
}

// Ctrl+F: the filter of the list with the focus, else of the first list
// that can take it.
void Form1::findInList()
{
    const QWidget *focus = focusWidget();
    const ListFilter *chosen = nullptr;
    for (const ListFilter &filter : filters_)
        if (focus == filter.field || focus == filter.grid)
            chosen = &filter;
    for (const ListFilter &filter : filters_)
        if (!chosen && filter.field->isVisible() && filter.field->isEnabled())
            chosen = &filter;
    if (chosen && chosen->field->isVisible() && chosen->field->isEnabled()) {
        chosen->field->setFocus(Qt::ShortcutFocusReason);
        chosen->field->selectAll();
    }
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
    // The close box ends the program without writing the settings file;
    // only the window's size and place are kept.
    saveWindowPlace();
    event->accept();
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        placeControls();
    } else if (watched == exitvalikko && event->type() == QEvent::Shortcut) {
        quitShortcut();
        return true;
    } else if (event->type() == QEvent::EnabledChange) {
        for (const ListFilter &filter : filters_)
            if (watched == filter.grid)
                filter.field->setEnabled(filter.grid->isEnabled());
    } else if (exportCaptionShown_ &&
               (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) &&
               watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this) {
        showCaption(captionBeforeExport_);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::showCaption(const QString &caption)
{
    // Results shown while the logs are followed say so.
    if (caption == QLatin1String(analyzingCompleteCaption) && following()) {
        showCaption(QString::fromUtf8(followingCaption));
        return;
    }
    if (exportCaptionShown_) {
        exportCaptionShown_ = false;
        qApp->removeEventFilter(this);
    }
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

void Form1::readInBackground(std::function<void(const ProgressCallback &, std::stop_token)> read,
                             std::function<void()> done)
{
    shownPhase_ = RunPhase::ReadingDrilldown;
    // A close box pressed during the read closes the window once it has stopped.
    backgroundRead_->start(
        std::move(read),
        [this, done = std::move(done)] {
            done();
            endAfterCancelledRead();
        },
        !std::exchange(quietNext_, false));
}

// The one progress display of runs and drill-downs: the caption of each
// phase of a run, "Lines Completed : X / Y" while a run reads its uploads,
// and the fill, which spans the whole frame at 100 %.
void Form1::showProgress(const Progress &progress)
{
    if (backgroundRead_->quiet())
        return; // a log followed: its small reads show only in the results
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
    return backgroundRead_->running() && !backgroundRead_->quiet();
}

LogInput Form1::logInput() const
{
    return logPath();
}

// The logs of the results shown, each as far as their counts have read it.
std::vector<LogExtent> Form1::logExtents() const
{
    if (const std::shared_ptr<LogTally> &tally = rangeTally_ ? rangeTally_ : wholeTally_)
        return tally->extents();
    std::vector<LogExtent> extents;
    for (const LogInput &log : logInputs())
        extents.push_back({log, UINT64_MAX, UINT64_MAX});
    return extents;
}

// The path in Text1 as bytes: those it was shown for, unless the user has
// typed another path since.
std::string Form1::logPath() const
{
    return Text1->text() == logFile_.text ? logFile_.bytes : NativePath::fromText(Text1->text()).bytes;
}

void Form1::showMessage(const QString &text)
{
    message(text);
}

void Form1::stopWithMessage(const QString &text)
{
    setBusy(false);
    message(text);
    endProgram();
}

void Form1::message(const QString &text)
{
    environment_.showMessage(text);
}

void Form1::setCaption(QLabel *label, const QString &caption)
{
    if (auto *elided = qobject_cast<ElidedLabel *>(label)) {
        elided->setCaption(caption);
    } else {
        label->setText(caption);
        label->adjustSize();
    }
    if (label == Label9)
        placeLogPath();
}

} // namespace varnoth
