#pragma once

#include <QDialog>

#include "analysis/analysis_report.h"
#include "forms/number_format.h"

class QLabel;
class QPushButton;

namespace varnoth {

class DateField;
class HourChart;
class PeriodChart;

// "Varnoth : Activity": when the uploads of the results shown happened, per
// day, week or month and by hour of day, with the busiest day and hour in
// words; and the date range to analyse next. The window asks for a range
// run or for the whole log again; the main window runs it and shows the
// new results here through showReport().
class ActivityWindow : public QDialog {
    Q_OBJECT

public:
    explicit ActivityWindow(QWidget *parent = nullptr);

    // Shows the activity of shown; the date fields reach from the first to
    // the last day of the whole log and start at the ends of shown's range,
    // or of its activity where the range is open.
    void showReport(const AnalysisReport &shown, const AnalysisReport &wholeLog, const NumberFormat &format);

signals:
    void rangeRequested(const varnoth::DateRange &range);
    void wholeLogRequested();

private:
    void buildControls();
    void requestRange();
    void choosePeriods(int first, int last);

    QLabel *periodTitle_ = nullptr;
    PeriodChart *periodChart_ = nullptr;
    QLabel *hourTitle_ = nullptr;
    HourChart *hourChart_ = nullptr;
    QLabel *busiestDay_ = nullptr;
    QLabel *busiestHour_ = nullptr;
    QLabel *days_ = nullptr;
    QLabel *undated_ = nullptr;
    QLabel *fromLabel_ = nullptr;
    DateField *fromDate_ = nullptr;
    QLabel *toLabel_ = nullptr;
    DateField *toDate_ = nullptr;
    QPushButton *analyzeRange_ = nullptr;
    QPushButton *wholeLog_ = nullptr;
    QPushButton *close_ = nullptr;
};

} // namespace varnoth
