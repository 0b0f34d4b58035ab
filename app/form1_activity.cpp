// The window's side of the activity window: View → Activity…, a run
// narrowed to a date range, the whole log again, and the range in force
// beside the log path.
#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "activity_window.h"
#include "form1.h"
#include "views/drilldown_panel.h"
#include "views/result_list_clicks.h"
#include "wording/activity_captions.h"
#include "wording/window_captions.h"

namespace varnoth {

void Form1::Form1_activityAction_Click()
{
    if (!report_)
        return;
    if (!activityWindow_) {
        activityWindow_ = new ActivityWindow(this);
        connect(activityWindow_, &ActivityWindow::rangeRequested, this, &Form1::analyzeRange);
        connect(activityWindow_, &ActivityWindow::wholeLogRequested, this, &Form1::showWholeLog);
        activityWindow_->showReport(*report_, *wholeLogReport_, options_.numberFormat);
    }
    activityWindow_->show();
    activityWindow_->raise();
    activityWindow_->activateWindow();
}

// The progress display and input rule are those of Analyze; Quit waits
// until the run has ended.
void Form1::analyzeRange(const DateRange &range)
{
    if (!report_ || reading())
        return;
    Command1->setEnabled(false);
    setBusy(true);
    runAnalysis(range);
}

void Form1::showWholeLog()
{
    if (!wholeLogReport_ || reading() || report_ == wholeLogReport_)
        return;
    letGoOfResults();
    options_.range = {};
    report_ = wholeLogReport_;
    showProgress({RunPhase::ReadingInformation, report_->lineCount, report_->lineCount, 1.0});
    showResults(*report_);
}

// New rows replace the lists: a drill-down of the old rows closes and the
// selection that armed Command3 or Command4 is let go.
void Form1::letGoOfResults()
{
    if (!report_)
        return;
    personalStats_->close();
    fileStats_->close();
    Command3->setText(QString::fromUtf8(selectNameCaption));
    Command3->setEnabled(false);
    Command4->setText(QString::fromUtf8(selectFileCaption));
    Command4->setEnabled(false);
}

// A range without anything to rank: the message, and the results and
// progress display of the run shown before.
void Form1::keepResults(const DateRange &range)
{
    showReadState();
    setBusy(false);
    Command1->setEnabled(true);
    message(QString::fromStdString(noUploadsInRangeMessage(range)));
}

// After new results: the activity of the run can be shown, the range in
// force stands beside the log path, and an open activity window follows.
void Form1::resultsShown()
{
    activityAction_->setEnabled(true);
    const QString range = QString::fromStdString(rangeCaption(options_.range));
    setCaption(rangeLabel_, range);
    rangeLabel_->setVisible(!range.isEmpty());
    placeLogPath();
    if (activityWindow_)
        activityWindow_->showReport(*report_, *wholeLogReport_, options_.numberFormat);
}

} // namespace varnoth
