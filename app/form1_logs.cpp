// The window's side of the logs it reads: one log or several chosen
// together (File → Open logs…, a drop, Recent logs, the command line),
// results that always belong to the logs named, a refresh that reads only
// what the logs gained, following a growing log, and stopping a read.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "activity_window.h"
#include "analysis/analysis_run.h"
#include "analysis/log_order.h"
#include "form1.h"
#include "forms/file_exists.h"
#include "forms/settings_file.h"
#include "log_follower.h"
#include "panel_cover.h"
#include "recent_logs.h"
#include "user_state.h"
#include "views/background_read.h"
#include "views/drilldown_panel.h"
#include "views/elided_label.h"
#include "views/grid.h"
#include "views/result_list_clicks.h"
#include "views/shown_text.h"
#include "wording/messages.h"
#include "wording/window_captions.h"

namespace varnoth {

namespace {

const QString followKey = QStringLiteral("view/follow");
const QString openFolderKey = QStringLiteral("logs/folder");

} // namespace

std::vector<NativePath> Form1::namedLogs() const
{
    if (logs_.size() > 1)
        return logs_;
    return {NativePath{logPath(), Text1->text()}};
}

std::vector<LogInput> Form1::logInputs() const
{
    std::vector<LogInput> inputs;
    for (const NativePath &log : namedLogs())
        inputs.emplace_back(log.bytes);
    return inputs;
}

std::vector<std::string> Form1::logPaths() const
{
    std::vector<std::string> paths;
    for (const NativePath &log : namedLogs())
        paths.push_back(log.bytes);
    return paths;
}

void Form1::openLogs(const QStringList &paths)
{
    if (reading() || paths.isEmpty())
        return;
    std::vector<NativePath> logs;
    for (const QString &path : paths)
        logs.push_back({QFile::encodeName(path).toStdString(), path}); // the name's bytes on this system
    chooseLogs(std::move(logs));
}

void Form1::analyzeLogs(const QStringList &paths)
{
    openLogs(paths);
    if (Command1->isVisible() && Command1->isEnabled())
        Form1_Command1_Click();
}

// Logs named in place of those of the results: the results go, and Analyze
// reads the new logs. Several are read as one, oldest first; the first is
// the one the settings file remembers.
void Form1::chooseLogs(std::vector<NativePath> logs)
{
    if (logs.empty())
        return;
    for (const NativePath &log : logs) {
        if (!settingsCanHold(log.bytes)) {
            message(QString::fromUtf8(messages::pathWithLineBreak));
            return;
        }
    }
    if (logs.size() > 1) {
        std::vector<LogInput> inputs;
        for (const NativePath &log : logs)
            inputs.emplace_back(log.bytes);
        std::vector<NativePath> ordered;
        for (const LogInput &input : inReadingOrder(std::move(inputs)))
            for (const NativePath &log : logs)
                if (log.bytes == input.path()) {
                    ordered.push_back(log);
                    break;
                }
        logs = std::move(ordered);
    }
    clearResults();
    logs_ = logs.size() > 1 ? logs : std::vector<NativePath>();
    RecentLogs::add(logs);
    Picture3->hide();
    Command5->show();
    Command5->setEnabled(true);
    showLogPath(logs.front());
    Text1->hide();
    Command1->show();
    Command1->setEnabled(true);
    showLogNames();
    focusControl(Command1);
    try {
        writeSettings(environment_.settingsFolders, logs.front().bytes, TotalLinesAnalyzed);
    } catch (const std::exception &failure) {
        // The choice stands for this session; only remembering it failed.
        message(QStringLiteral("The settings file could not be written : ") + QString::fromUtf8(failure.what()));
    }
}

// "Upload log file : PATH", or "Upload log files : 3 logs, FIRST … LAST"
// with every path in the tooltip.
void Form1::showLogNames()
{
    const std::vector<NativePath> logs = namedLogs();
    if (logs.size() == 1) {
        setCaption(Label9, QStringLiteral("Upload log file : ") + shownText(logs.front().text));
        return;
    }
    QStringList all;
    for (const NativePath &log : logs)
        all << shownText(log.text);
    Label9->setTexts(QStringLiteral("Upload log files : %1 logs, %2 \u2026 %3")
                         .arg(logs.size())
                         .arg(shownText(logs.front().text), shownText(logs.back().text)),
                     all.join(QLatin1Char('\n')));
    placeLogPath();
}

// The window as it was before Analyze: no lists, the summary labels'
// own captions, no drill-down or activity window, nothing to export or
// refresh, and Command1 offering Analyze.
void Form1::clearResults()
{
    follower_->stop();
    if (!report_ && !wholeTally_)
        return;
    letGoOfResults();
    report_.reset();
    wholeLogReport_.reset();
    wholeTally_.reset();
    rangeTally_.reset();
    ++countsGeneration_;
    options_.range = {};
    for (Grid *grid : {grid1, grid2, grid3})
        grid->setDataRows(GridRows(static_cast<std::size_t>(grid->cols())));
    for (QWidget *hidden :
         {static_cast<QWidget *>(grid1), static_cast<QWidget *>(grid2), static_cast<QWidget *>(grid3),
          static_cast<QWidget *>(Label2), static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label8),
          static_cast<QWidget *>(Command3), static_cast<QWidget *>(Command4), static_cast<QWidget *>(Label5),
          static_cast<QWidget *>(Picture1), static_cast<QWidget *>(Label23), static_cast<QWidget *>(rangeLabel_)})
        hidden->hide();
    for (const ListFilter &filter : filters_) {
        filter.field->clear();
        filter.field->hide();
        filter.count->hide();
    }
    for (auto &[label, caption] : startupCaptions_) {
        label->setText(caption);
        label->adjustSize();
        label->hide();
    }
    setCaption(Label23, QStringLiteral("Lines Completed :"));
    if (activityWindow_)
        activityWindow_->hide();
    activityAction_->setEnabled(false);
    exportvalikko->setEnabled(false);
    refreshAction_->setEnabled(false);
    Command1->setText(QStringLiteral("Analyze"));
    Command1->setEnabled(true);
    showCaption(QStringLiteral("Varnoth"));
    placeLogPath();
}

void Form1::openLogsDialog()
{
    if (reading())
        return;
    UserState state;
    QString folder = state.value(openFolderKey).toString();
    if (folder.isEmpty())
        folder = QFileInfo(QString::fromStdString(logPath())).absolutePath();
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, QStringLiteral("Open logs"), folder, QStringLiteral("All files (*);;Upload logs (*.log *.log.* *.gz)"));
    if (paths.isEmpty())
        return;
    state.setValue(openFolderKey, QFileInfo(paths.front()).absolutePath());
    openLogs(paths);
}

void Form1::fillRecentMenu()
{
    recentMenu_->clear();
    const auto choices = RecentLogs::choices();
    int number = 1;
    for (const std::vector<NativePath> &choice : choices) {
        QString name = RecentLogs::name(choice);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(number++).arg(name));
        connect(action, &QAction::triggered, this, [this, choice] {
            if (!reading())
                chooseLogs(choice);
        });
    }
    if (choices.empty())
        recentMenu_->addAction(QStringLiteral("No logs yet"))->setEnabled(false);
}

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (reading() || !event->mimeData()->hasUrls())
        return;
    for (const QUrl &url : event->mimeData()->urls())
        if (!url.isLocalFile())
            return;
    event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    if (reading())
        return;
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    // After the drop has ended, so that its source is not held by a message box.
    QTimer::singleShot(0, this, [this, paths] { openLogs(paths); });
}

void Form1::refreshResults()
{
    readLogs(LogTally::Reading::Refresh);
}

// Reads what the logs gained into the counts of the results shown (and
// those of the whole logs, while a range is in force), then shows the
// results in place. A read that fails or is cancelled keeps the results.
void Form1::readLogs(LogTally::Reading reading)
{
    if (!report_ || !wholeTally_ || this->reading())
        return;
    const bool follow = reading == LogTally::Reading::Follow;
    const std::shared_ptr<LogTally> shown = rangeTally_ ? rangeTally_ : wholeTally_;
    const std::shared_ptr<LogTally> whole = rangeTally_ ? wholeTally_ : nullptr;
    struct Read {
        Outcome<ReadDone> outcome = Cancelled{};
        std::int64_t uploads = 0;
        bool fromStart = false;
        std::optional<AnalysisOutcome> report, wholeReport;
    };
    auto result = std::make_shared<Read>();
    const LogTally::LastLine lastLine = follow ? LogTally::LastLine::Wait : LogTally::LastLine::IfWhole;
    if (!follow) {
        Label5->show();
        Picture1->show();
        setBusy(true);
    }
    quietNext_ = follow;
    readInBackground(
        [shown, whole, reading, lastLine, result](const ProgressCallback &progress, std::stop_token stop) {
            result->outcome = shown->read(reading, progress, stop);
            const ReadDone *done = completed(result->outcome);
            if (!done)
                return;
            result->uploads = done->uploads;
            result->fromStart = done->fromStart;
            bool anything = done->anythingNew();
            if (whole) {
                const Outcome<ReadDone> more = whole->read(reading, {}, stop);
                if (!completed(more)) {
                    result->outcome = more;
                    return;
                }
                result->uploads += completed(more)->uploads;
                result->fromStart = result->fromStart || completed(more)->fromStart;
                anything = anything || completed(more)->anythingNew();
                if (anything)
                    result->wholeReport = whole->report(lastLine);
            }
            if (anything) {
                reportRankingPhases(progress, shown->uploads());
                result->report = shown->report(lastLine);
            }
        },
        [this, result, follow] {
            if (!follow)
                setBusy(false);
            if (std::holds_alternative<Cancelled>(result->outcome)) {
                showReadState();
                return;
            }
            // The lines read count, whatever the results.
            if (completed(result->outcome))
                TotalLinesAnalyzed = addLinesAnalyzed(TotalLinesAnalyzed, result->uploads);
            const AnalysisOutcome *failure = nullptr;
            AnalysisOutcome readFailure = completed(result->outcome) ? AnalysisOutcome(NoUploads{})
                                                                     : notCompleted<AnalysisReport>(result->outcome);
            if (!completed(result->outcome))
                failure = &readFailure;
            else if (result->report && !completed(*result->report))
                failure = &*result->report;
            else if (result->wholeReport && !completed(*result->wholeReport))
                failure = &*result->wholeReport;
            if (failure) {
                // A log caught while it changes is read again at the next turn.
                if (follow && std::holds_alternative<LogChanged>(*failure)) {
                    showReadState();
                    return;
                }
                if (follow)
                    setFollowing(false);
                showReadState();
                message(QString::fromStdString(follow && std::holds_alternative<Corrupted>(*failure)
                                                   ? messages::followingStopped(std::get<Corrupted>(*failure))
                                                   : messages::resultsKeptMessage(*failure)));
                return;
            }
            if (result->fromStart)
                ++countsGeneration_;
            if (result->report) {
                report_ = std::make_shared<const AnalysisReport>(std::move(*completed(*result->report)));
                wholeLogReport_ =
                    result->wholeReport
                        ? std::make_shared<const AnalysisReport>(std::move(*completed(*result->wholeReport)))
                        : report_;
                updateResults(*report_);
                for (DrilldownPanel *view : {personalStats_.get(), fileStats_.get()})
                    if (view->isOpen()) {
                        quietNext_ = follow; // a followed log's view follows quietly too
                        view->reload();
                    }
            }
            showReadState();
            emit readFinished();
        });
}

// The caption and progress display once a refresh or follow read is done.
void Form1::showReadState()
{
    if (report_)
        showProgress({RunPhase::ReadingInformation, report_->lineCount, report_->lineCount, 1.0});
    showCaption(QString::fromUtf8(following() ? followingCaption : analyzingCompleteCaption));
}

// A close box pressed during a read closes the window once the read has stopped.
void Form1::endAfterCancelledRead()
{
    if (backgroundRead_->closeAsked())
        QTimer::singleShot(0, this, &QWidget::close);
}

void Form1::setFollowing(bool on)
{
    if (followAction_->isChecked() != on) {
        const QSignalBlocker quiet(followAction_);
        followAction_->setChecked(on);
    }
    UserState().setValue(followKey, on);
    if (on && report_ && wholeTally_) {
        QStringList paths;
        for (const NativePath &log : namedLogs())
            paths << QFile::decodeName(QByteArray::fromStdString(log.bytes));
        follower_->follow(paths);
        if (!reading())
            showCaption(QString::fromUtf8(followingCaption));
        // What was appended since the results were read.
        QTimer::singleShot(0, this, &Form1::followTick);
    } else {
        follower_->stop();
        if (report_ && !reading())
            showCaption(QString::fromUtf8(analyzingCompleteCaption));
    }
}

bool Form1::following() const
{
    return follower_->following();
}

// The logs may have grown: read what they gained, unless the user's own
// read runs (the next turn will).
void Form1::followTick()
{
    if (following() && !backgroundRead_->running())
        readLogs(LogTally::Reading::Follow);
}

void Form1::cancelRead()
{
    backgroundRead_->cancel();
}

} // namespace varnoth
