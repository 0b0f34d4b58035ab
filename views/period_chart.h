#pragma once

#include "analysis/activity_periods.h"
#include "bar_chart_view.h"
#include "forms/number_format.h"

namespace varnoth {

// Uploads per day, week or month as bars, with their megabytes as a line
// on a second axis. The pointer on a bar shows its figures; pressing on a
// bar and dragging across others selects them, to offer their days as a
// date range.
class PeriodChart : public BarChartView {
    Q_OBJECT

public:
    explicit PeriodChart(QWidget *parent = nullptr);

    void setPeriods(ActivityPeriods periods, const NumberFormat &format);
    const ActivityPeriods &periods() const { return periods_; }
    QString barToolTip(int index) const override;

signals:
    // Bars first to last (by index) were selected by a drag or a click.
    void periodsSelected(int first, int last);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void selectTo(int bar);

    ActivityPeriods periods_;
    NumberFormat format_;
    QBarSet *uploads_ = nullptr;
    int anchor_ = -1; // the bar where a drag began
    int current_ = -1;
};

} // namespace varnoth
