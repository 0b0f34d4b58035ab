#pragma once

#include <array>

#include "analysis/activity.h"
#include "bar_chart_view.h"
#include "forms/number_format.h"

namespace varnoth {

// Uploads by hour of the day, 00 to 23, as bars; the pointer on a bar shows
// its figures.
class HourChart : public BarChartView {
    Q_OBJECT

public:
    explicit HourChart(QWidget *parent = nullptr);

    void setHours(const std::array<ActivityCount, 24> &hours, const NumberFormat &format);
    QString barToolTip(int hour) const override;

private:
    std::array<ActivityCount, 24> hours_{};
    NumberFormat format_;
};

} // namespace varnoth
