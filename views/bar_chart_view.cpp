#include "bar_chart_view.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QHelpEvent>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace varnoth {

namespace {

QChart *makeChart()
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

} // namespace

// The view owns the chart given to its constructor (one set later would be
// the caller's to delete).
BarChartView::BarChartView(QWidget *parent)
    : QChartView(makeChart(), parent)
{
    setRenderHint(QPainter::Antialiasing);
    // The charts answer the pointer; keyboard users read the figures in words.
    setFocusPolicy(Qt::NoFocus);
}

void BarChartView::clearChart()
{
    chart()->removeAllSeries(); // deletes them
    for (QAbstractAxis *axis : chart()->axes()) {
        chart()->removeAxis(axis); // gives it back to be deleted
        delete axis;
    }
}

QBarSeries *BarChartView::uploadsSeries(const QList<double> &values, QBarSet **set)
{
    auto *uploads = new QBarSet(QStringLiteral("Uploads"));
    uploads->setColor(QColor(70, 130, 180));
    uploads->setBorderColor(QColor(50, 100, 145));
    uploads->setSelectedColor(QColor(241, 196, 15));
    uploads->append(values);
    auto *series = new QBarSeries;
    series->setBarWidth(0.8);
    series->append(uploads);
    if (set)
        *set = uploads;
    return series;
}

QValueAxis *BarChartView::countAxis(const QString &title, double max)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    // A few units get a tick each; larger counts get round steps.
    if (max <= 5) {
        const double top = std::max(1.0, std::ceil(max));
        axis->setRange(0, top);
        axis->setTickCount(static_cast<int>(top) + 1);
    } else {
        axis->setTickCount(6);
        axis->setRange(0, max);
        axis->applyNiceNumbers();
    }
    return axis;
}

QCategoryAxis *BarChartView::barAxis(int count, std::vector<AxisMark> marks)
{
    // Bars stand at their index on a value axis, so that only some are named.
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setGridLineVisible(false);
    axis->setRange(-0.5, std::max(count, 1) - 0.5);
    marks_ = std::move(marks);
    chart()->addAxis(axis, Qt::AlignBottom);
    writeAxisLabels();
    return axis;
}

void BarChartView::writeAxisLabels()
{
    const auto axes = chart()->axes(Qt::Horizontal);
    auto *axis = axes.isEmpty() ? nullptr : qobject_cast<QCategoryAxis *>(axes.first());
    if (!axis || marks_.empty())
        return;
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    const QFontMetrics metrics(axis->labelsFont());
    int widest = 0;
    for (const AxisMark &mark : marks_)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(mark.text)));
    const auto room = static_cast<std::size_t>(
        std::max(2, static_cast<int>(chart()->plotArea().width()) / (widest + metrics.averageCharWidth() * 2)));
    const std::size_t step = std::max<std::size_t>(1, (marks_.size() + room - 1) / room);
    axis->setStartValue(-0.5);
    for (std::size_t i = 0; i < marks_.size(); i += step)
        axis->append(QString::fromStdString(marks_[i].text), static_cast<double>(marks_[i].index));
}

void BarChartView::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    writeAxisLabels();
}

int BarChartView::barCount() const
{
    const auto series = chart()->series();
    const auto *bars = series.isEmpty() ? nullptr : qobject_cast<const QBarSeries *>(series.first());
    return bars && bars->count() > 0 ? static_cast<int>(bars->barSets().first()->count()) : 0;
}

int BarChartView::barAt(const QPoint &point, bool nearest) const
{
    QPointF inChart = chart()->mapFromScene(mapToScene(point));
    const QRectF plot = chart()->plotArea();
    const int count = barCount();
    if (count == 0 || (!nearest && !plot.contains(inChart)))
        return -1;
    inChart.setX(std::clamp(inChart.x(), plot.left(), plot.right()));
    const double x = chart()->mapToValue(inChart, chart()->series().first()).x();
    return std::clamp(static_cast<int>(std::lround(x)), 0, count - 1);
}

// The scene would answer a tooltip request with an empty tip, since no item
// has one; the bar's figures are shown instead.
bool BarChartView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QChartView::viewportEvent(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int bar = barAt(help->pos(), false);
    if (bar >= 0)
        QToolTip::showText(help->globalPos(), barToolTip(bar), viewport());
    else
        QToolTip::hideText();
    return true;
}

} // namespace varnoth
