#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <string>

#include "analysis/analysis_report.h"
#include "analysis/progress.h"
#include "form1_environment.h"
#include "native_path.h"
#include "views/view_host.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QWidget;

namespace varnoth {

class ActivityWindow;
class BackgroundRead;
class DrilldownPanel;
class DriveList;
class FileList;
class FolderList;
class Grid;

// The program's one window: the command strip, the results area with its
// grids and drill-down panels, the summary labels, the browse panel and the
// menus. Start-up runs in the constructor, before the window is shown.
class Form1 : public QMainWindow, public ViewHost {
    Q_OBJECT

public:
    explicit Form1(Form1Environment environment, QWidget *parent = nullptr);
    ~Form1() override;

    // ViewHost
    void showCaption(const QString &caption) override;
    void setBusy(bool busy) override;
    LogInput logInput() const override;
    const AnalysisOptions &analysisOptions() const override { return options_; }
    void readInBackground(std::function<void(const ProgressCallback &)> read, std::function<void()> done) override;
    void stopWithMessage(const QString &message) override;

    // Lines analysed over all runs, as the settings file keeps them.
    std::int64_t totalLinesAnalyzed() const { return TotalLinesAnalyzed; }
    const std::string &settingsFileHeader() const { return SettingsHeader; }
    // The path in Text1 as the file system's bytes.
    std::string logPath() const;
    // Whether a run or a drill-down is reading the log.
    bool reading() const;
    // The results of the completed run, or null.
    const AnalysisReport *report() const { return report_.get(); }

    // Runs the analysis again, narrowed to range; the results shown stay
    // when the range holds nothing to rank.
    void analyzeRange(const DateRange &range);
    // Shows the results of the run on the whole log again.
    void showWholeLog();

signals:
    // A run or a drill-down has ended and its results are shown.
    void readFinished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildCommandStrip();
    void buildResultsArea();
    void buildSummaryLabels();
    void buildBrowsePanel();
    void buildMenus();
    void buildTabOrder();
    void fitToScreen();
    void connectHandlers();

    void Form1_Form_Load();
    void writeGridHeaders();
    void Form1_Command1_Click();
    void runAnalysis(const DateRange &range);
    void quit();
    void showResults(const AnalysisReport &report);
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
    ActivityWindow *activityWindow_ = nullptr;
    bool busy_ = false;
    RunPhase shownPhase_ = RunPhase::ReadingDrilldown;

    // Read from the settings file at start-up; the total grows with each run.
    std::int64_t TotalLinesAnalyzed = 0;
    std::string SettingsHeader;
    // Order of each sortable grid's next click sort: 0 = descending, 1 = ascending.
    int Grid1SortToggle = 0;
    int Grid4SortToggle = 0;
    int Grid5SortToggle = 0;
    QString currentDrive_;
    NativePath logFile_; // the path shown in Text1, with its bytes

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
    QLabel *Label9 = nullptr;
    QLabel *Label20 = nullptr;
    QLabel *Label21 = nullptr;
    QLabel *Label22 = nullptr;
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
    QLabel *rangeLabel_ = nullptr; // the range in force, beside the log path

    std::unique_ptr<DrilldownPanel> personalStats_;
    std::unique_ptr<DrilldownPanel> fileStats_;
};

} // namespace varnoth
