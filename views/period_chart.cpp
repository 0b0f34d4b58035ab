#include "period_chart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>
#include <algorithm>

#include "wording/activity_captions.h"

namespace varnoth {

PeriodChart::PeriodChart(QWidget *parent)
    : BarChartView(parent)
{
}

void PeriodChart::setPeriods(ActivityPeriods periods, const NumberFormat &format)
{
    periods_ = std::move(periods);
    format_ = format;
    anchor_ = current_ = -1;
    clearChart();

    QList<double> uploads;
    auto *megabytes = new QLineSeries;
    megabytes->setName(QStringLiteral("Megabytes"));
    megabytes->setPen(QPen(QColor(192, 57, 43), 2));
    double mostMegabytes = 0;
    for (const ActivityPeriod &period : periods_.periods) {
        uploads.append(static_cast<double>(period.count.uploads));
        megabytes->append(static_cast<double>(megabytes->count()), period.count.bytes / 1e6);
        mostMegabytes = std::max(mostMegabytes, period.count.bytes / 1e6);
    }
    QBarSeries *bars = uploadsSeries(uploads, &uploads_);
    chart()->addSeries(bars);
    chart()->addSeries(megabytes);

    QCategoryAxis *time = barAxis(static_cast<int>(uploads.size()), axisMarks(periods_));
    QValueAxis *uploadsAxis =
        countAxis(QStringLiteral("Uploads"), uploads.isEmpty() ? 0 : *std::max_element(uploads.begin(), uploads.end()));
    QValueAxis *megabytesAxis = countAxis(QStringLiteral("MB"), mostMegabytes);
    megabytesAxis->setGridLineVisible(false);
    chart()->addAxis(uploadsAxis, Qt::AlignLeft);
    chart()->addAxis(megabytesAxis, Qt::AlignRight);
    bars->attachAxis(time);
    bars->attachAxis(uploadsAxis);
    megabytes->attachAxis(time);
    megabytes->attachAxis(megabytesAxis);
}

QString PeriodChart::barToolTip(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= periods_.periods.size())
        return {};
    const ActivityPeriod &period = periods_.periods[static_cast<std::size_t>(index)];
    return QString::fromStdString(periodName(period, periods_.length) + "\n" + activityFigures(period.count, format_));
}

void PeriodChart::selectTo(int bar)
{
    current_ = bar;
    QList<int> selected;
    for (int i = std::min(anchor_, current_); i <= std::max(anchor_, current_); ++i)
        selected.append(i);
    uploads_->deselectAllBars();
    uploads_->selectBars(selected);
}

void PeriodChart::mousePressEvent(QMouseEvent *event)
{
    anchor_ = event->button() == Qt::LeftButton ? barAt(event->position().toPoint(), false) : -1;
    if (anchor_ >= 0)
        selectTo(anchor_);
    BarChartView::mousePressEvent(event);
}

void PeriodChart::mouseMoveEvent(QMouseEvent *event)
{
    if (anchor_ >= 0 && (event->buttons() & Qt::LeftButton)) {
        // Beyond the plot's ends the drag keeps the first or last bar.
        const int bar = barAt(event->position().toPoint(), true);
        if (bar != current_)
            selectTo(bar);
    }
    BarChartView::mouseMoveEvent(event);
}

void PeriodChart::mouseReleaseEvent(QMouseEvent *event)
{
    if (anchor_ >= 0 && event->button() == Qt::LeftButton) {
        emit periodsSelected(std::min(anchor_, current_), std::max(anchor_, current_));
        anchor_ = -1;
    }
    BarChartView::mouseReleaseEvent(event);
}

} // namespace varnoth
