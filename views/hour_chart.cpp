#include "hour_chart.h"

#include <QBarSeries>
#include <QCategoryAxis>
#include <QValueAxis>
#include <algorithm>

#include "wording/activity_captions.h"

namespace varnoth {

HourChart::HourChart(QWidget *parent)
    : BarChartView(parent)
{
    chart()->legend()->hide();
}

void HourChart::setHours(const std::array<ActivityCount, 24> &hours, const NumberFormat &format)
{
    hours_ = hours;
    format_ = format;
    clearChart();

    QList<double> uploads;
    std::vector<AxisMark> marks;
    for (std::size_t hour = 0; hour < 24; ++hour) {
        uploads.append(static_cast<double>(hours_[hour].uploads));
        marks.push_back({hour, hourName(static_cast<int>(hour)).substr(0, 2)});
    }
    QBarSeries *bars = uploadsSeries(uploads);
    chart()->addSeries(bars);
    QCategoryAxis *axis = barAxis(24, std::move(marks));
    QValueAxis *count = countAxis(QStringLiteral("Uploads"), *std::max_element(uploads.begin(), uploads.end()));
    chart()->addAxis(count, Qt::AlignLeft);
    bars->attachAxis(axis);
    bars->attachAxis(count);
}

QString HourChart::barToolTip(int hour) const
{
    if (hour < 0 || hour > 23)
        return {};
    return QString::fromStdString(hourName(hour) + "\n" +
                                  activityFigures(hours_[static_cast<std::size_t>(hour)], format_));
}

} // namespace varnoth
