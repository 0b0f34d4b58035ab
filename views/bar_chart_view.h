#pragma once

#include <QChartView>
#include <QString>
#include <vector>

#include "wording/activity_captions.h"

class QBarSeries;
class QBarSet;
class QCategoryAxis;
class QValueAxis;

namespace varnoth {

// What the activity charts share: one look, counts on whole-number axes,
// and the figures of the bar under the pointer as its tooltip. Bars stand
// at x = 0, 1, … of the chart's first series.
class BarChartView : public QChartView {
    Q_OBJECT

public:
    explicit BarChartView(QWidget *parent = nullptr);

    // The figures shown while the pointer is on bar index; empty for no bar.
    virtual QString barToolTip(int index) const = 0;

protected:
    // The bar under a point of the viewport: -1 off the plot, unless nearest
    // is set, which takes the nearest bar.
    int barAt(const QPoint &point, bool nearest) const;
    // Removes the chart's series and axes, for new data.
    void clearChart();
    // A series of uploads, one bar per value, in the charts' colours.
    static QBarSeries *uploadsSeries(const QList<double> &values, QBarSet **set = nullptr);
    // An axis from 0 to at least max with whole-number labels.
    static QValueAxis *countAxis(const QString &title, double max);
    // The axis of bars 0 to count - 1, named by as many of marks as its
    // width holds, spread evenly.
    QCategoryAxis *barAxis(int count, std::vector<AxisMark> marks);

    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int barCount() const;
    void writeAxisLabels();

    std::vector<AxisMark> marks_;
};

} // namespace varnoth
