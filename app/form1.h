#pragma once

#include <QMainWindow>
#include <QRect>
#include <QString>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "analysis/analysis_report.h"
#include "analysis/log_tally.h"
#include "analysis/progress.h"
#include "form1_environment.h"
#include "native_path.h"
#include "views/view_host.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPoint;
class QPushButton;
class QScrollArea;
class QWidget;

namespace varnoth {

class ActivityWindow;
class BackgroundRead;
class DrilldownPanel;
class DriveList;
class ElidedLabel;
class FileList;
class FolderList;
class Grid;
class LogFollower;

// The program's one window: the command strip, the results area with its
// grids and drill-down panels, the summary labels, the browse panel and the
// menus. Start-up runs in the constructor, before the window is shown.
//
// At its design size (996 x 569 client pixels at 96 dpi) every control
// stands where the design puts it. A larger window gives the extra room to
// the three lists and the drill-down grids, the summary keeping its layout;
// in a smaller one the content scrolls. Its size, place and maximised state
// are kept per user (UserState).
//
// The results always belong to the logs the window names: one log (Text1,
// the browse panel, the settings file) or several read as one (File → Open
// logs…, a drop, Recent logs, the command line). Their counts live on
// between reads, so that View → Refresh and Follow log read only what the
// logs gained. Every read can be cancelled (Esc, the Cancel button, the
// close box).
class Form1 : public QMainWindow, public ViewHost {
    Q_OBJECT

public:
    explicit Form1(Form1Environment environment, QWidget *parent = nullptr);
    ~Form1() override;

    // ViewHost
    void showCaption(const QString &caption) override;
    void setBusy(bool busy) override;
    std::vector<LogExtent> logExtents() const override;
    LogInput logInput() const;
    const AnalysisOptions &analysisOptions() const override { return options_; }
    void readInBackground(std::function<void(const ProgressCallback &, std::stop_token)> read,
                          std::function<void()> done) override;
    void stopWithMessage(const QString &message) override;
    void showMessage(const QString &message) override;

    // Lines analysed over all runs, as the settings file keeps them.
    std::int64_t totalLinesAnalyzed() const { return TotalLinesAnalyzed; }
    const std::string &settingsFileHeader() const { return SettingsHeader; }
    // The path in Text1 as the file system's bytes.
    std::string logPath() const;
    // Whether a run, a refresh or a drill-down is reading the logs (the
    // quiet reads of following a log, which take no input away, aside).
    bool reading() const;
    // Which read of the counts the results come from (see logExtents()).
    int countsGeneration() const override { return countsGeneration_; }
    // The results of the completed run, or null.
    const AnalysisReport *report() const { return report_.get(); }

    // Runs the analysis again, narrowed to range; the results shown stay
    // when the range holds nothing to rank.
    void analyzeRange(const DateRange &range);
    // Shows the results of the run on the whole log again.
    void showWholeLog();

    // Names these logs in the window (several are read as one, oldest
    // first), in place of the results shown; Analyze then reads them.
    void openLogs(const QStringList &paths);
    // The same, then analyses them at once (logs named on the command line).
    void analyzeLogs(const QStringList &paths);
    // Reads what the logs gained since they were read and shows the results in place.
    void refreshResults();
    // Follows the logs as they grow (View → Follow log).
    void setFollowing(bool following);
    bool following() const;
    // Stops the read that runs, as Esc or the Cancel button do.
    void cancelRead();

signals:
    // A run or a drill-down has ended and its results are shown.
    void readFinished();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // A list with its title and its filter field.
    struct ListFilter {
        Grid *grid;
        QLabel *title;
        QLineEdit *field;
        ElidedLabel *count;
    };
    // How a control follows the window's growth beyond its design size: the
    // share of its parent's extra width (height) that moves each edge.
    struct Anchor {
        QWidget *widget;
        QRect design;
        double left, right, top, bottom;
    };

    void buildControls();
    void buildCommandStrip();
    void buildResultsArea();
    void buildSummaryLabels();
    void buildBrowsePanel();
    void buildMenus();
    void buildTabOrder();
    void buildFilters();
    void anchorControls();
    void fitToScreen();
    void placeControls();
    void placeFilters();
    void placeLogPath();
    void restoreWindowPlace();
    void saveWindowPlace();
    void connectHandlers();

    void Form1_Form_Load();
    void writeGridHeaders();
    void Form1_Command1_Click();
    void runAnalysis(const DateRange &range);
    void runEnded(bool firstRun);
    void quit();
    void showResults(const AnalysisReport &report);
    void updateResults(const AnalysisReport &report);
    void fillSummary(const AnalysisReport &report);

    // The logs named in the window: several chosen together, else Text1's.
    std::vector<NativePath> namedLogs() const;
    std::vector<LogInput> logInputs() const;
    std::vector<std::string> logPaths() const;
    void chooseLogs(std::vector<NativePath> logs);
    void showLogNames();
    void clearResults();
    void openLogsDialog();
    void fillRecentMenu();
    void readLogs(LogTally::Reading reading);
    void followTick();
    void showReadState();
    void endAfterCancelledRead();
    void letGoOfResults();
    void keepResults(const DateRange &range);
    void resultsShown();
    void Form1_activityAction_Click();
    void showProgress(const Progress &progress);
    void Form1_Command5_Click();
    void Form1_Drive1_Change();
    void Form1_Dir1_Change();
    void Form1_Command6_Click();
    void Form1_Command7_Click();
    void Form1_Text1_KeyPress();
    void acceptLogPath(const NativePath &path);
    void showLogPath(const NativePath &path);
    void Form1_aboutvalikko_Click();
    void Form1_exitvalikko_Click();
    void Form1_exportvalikko_Click();
    void quitShortcut();
    void endProgram();
    void Form1_Escape();
    void findInList();
    void showListMenu(Grid *grid, int row, const QPoint &at);
    void exportThisList(Grid *grid);
    void showExported(const std::vector<QString> &paths);
    void Form1_grid1_Click();
    void Form1_grid2_Click();
    void Form1_grid4_Click();
    void Form1_grid5_Click();

    void message(const QString &text);
    void setCaption(QLabel *label, const QString &caption);

    Form1Environment environment_;
    AnalysisOptions options_;
    BackgroundRead *backgroundRead_ = nullptr;
    std::shared_ptr<const AnalysisReport> report_;
    std::shared_ptr<const AnalysisReport> wholeLogReport_; // the run on the whole log
    // The logs chosen together (empty: Text1 names the one log), and the
    // counts of the results: the whole logs', and a range's while one is
    // in force.
    std::vector<NativePath> logs_;
    std::shared_ptr<LogTally> wholeTally_;
    std::shared_ptr<LogTally> rangeTally_;
    // Bumped whenever the counts are read again from the logs' start, so a
    // drill-down knows whether it may read on from where it was.
    int countsGeneration_ = 0;
    LogFollower *follower_ = nullptr;
    bool quietNext_ = false; // the next read is one of following: no progress shown, input taken
    std::vector<std::pair<QLabel *, QString>> startupCaptions_; // the summary labels' own
    ActivityWindow *activityWindow_ = nullptr;
    bool busy_ = false;
    RunPhase shownPhase_ = RunPhase::ReadingDrilldown;
    QString captionBeforeExport_; // shown again at the next action after an export caption
    bool exportCaptionShown_ = false;

    // Read from the settings file at start-up; the total grows with each run.
    std::int64_t TotalLinesAnalyzed = 0;
    std::string SettingsHeader;
    // Order of each sortable grid's next click sort: 0 = descending, 1 = ascending.
    int Grid1SortToggle = 0;
    int Grid4SortToggle = 0;
    int Grid5SortToggle = 0;
    QString currentDrive_;
    NativePath logFile_; // the path shown in Text1, with its bytes

    QScrollArea *scroller_ = nullptr;
    QWidget *client_ = nullptr;
    std::vector<Anchor> anchors_;
    std::array<ListFilter, 3> filters_{};

    QFrame *Line1 = nullptr;
    QWidget *Pohja = nullptr;
    QWidget *Pohja2 = nullptr;
    QWidget *Picture1 = nullptr;
    QWidget *Picture2 = nullptr;
    QWidget *Picture3 = nullptr;
    QWidget *Picture4 = nullptr;
    QWidget *Picture5 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command8 = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *Command10 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label8 = nullptr;
    ElidedLabel *Label9 = nullptr;
    QLabel *Label20 = nullptr;
    ElidedLabel *Label21 = nullptr;
    ElidedLabel *Label22 = nullptr;
    QLabel *Label23 = nullptr;
    QLineEdit *Text1 = nullptr;
    DriveList *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    FileList *File1 = nullptr;
    Grid *grid1 = nullptr;
    Grid *grid2 = nullptr;
    Grid *grid3 = nullptr;
    Grid *grid4 = nullptr;
    Grid *grid5 = nullptr;
    QMenu *filevalikko = nullptr;
    QAction *exportvalikko = nullptr;
    QAction *exitvalikko = nullptr;
    QMenu *helppivalikko = nullptr;
    QAction *aboutvalikko = nullptr;
    QMenu *viewMenu_ = nullptr;
    QAction *activityAction_ = nullptr;
    QAction *openAction_ = nullptr;
    QMenu *recentMenu_ = nullptr;
    QAction *refreshAction_ = nullptr;
    QAction *followAction_ = nullptr;
    QPushButton *cancelButton_ = nullptr; // stops a read; shown only while one runs
    QLabel *rangeLabel_ = nullptr;        // the range in force, beside the log path

    std::unique_ptr<DrilldownPanel> personalStats_;
    std::unique_ptr<DrilldownPanel> fileStats_;
};

} // namespace varnoth
