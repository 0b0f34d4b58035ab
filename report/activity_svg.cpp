#include "activity_svg.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "forms/number_forms.h"
#include "html_text.h"
#include "wording/activity_captions.h"

namespace varnoth {
namespace {

// The chart's frame in SVG user units: the plot area and the room for the
// axis labels around it.
constexpr double chartWidth = 800;
constexpr double chartHeight = 240;
constexpr double plotLeft = 56;
constexpr double plotRight = 788;
constexpr double plotTop = 12;
constexpr double plotBottom = 200;

// A coordinate with two decimals, appended to out.
void appendUnits(std::string &out, double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
    out.append(text, end);
}

// ` name="value"` with a coordinate.
void appendAttribute(std::string &out, const char *name, double value)
{
    out += ' ';
    out += name;
    out += "=\"";
    appendUnits(out, value);
    out += '"';
}

// One bar of a chart: where it stands on the axis (0 to 1), how wide it is
// (a share of the axis), its count and its tooltip.
struct Bar {
    double at = 0;
    double width = 0;
    std::int64_t uploads = 0;
    std::string tooltip;
};

struct AxisLabel {
    double at = 0; // 0 to 1 along the axis
    std::string text;
    const char *anchor = "middle"; // which end of the text stands at `at`
};

// The bar's name and figures, on one line.
std::string tooltip(const std::string &when, const ActivityCount &count, const NumberFormat &format)
{
    std::string figures = activityFigures(count, format);
    std::replace(figures.begin(), figures.end(), '\n', ',');
    return when + ": " + figures;
}

std::string chart(const char *id, const std::string &title, const std::vector<Bar> &bars,
                  const std::vector<AxisLabel> &labels)
{
    std::int64_t most = 1;
    for (const Bar &bar : bars)
        most = std::max(most, bar.uploads);
    const double plotWidth = plotRight - plotLeft;
    const double plotHeight = plotBottom - plotTop;

    std::string out = "<svg class=\"chart\" viewBox=\"0 0 ";
    appendUnits(out, chartWidth);
    out += ' ';
    appendUnits(out, chartHeight);
    out += std::string("\" role=\"img\" aria-labelledby=\"") + id +
           "-title\" xmlns=\"http://www.w3.org/2000/svg\">\n<title id=\"" + id + "-title\">";
    appendHtmlText(out, title);
    out += "</title>\n";
    // The value axis: 0, half and the most uploads of one bar, with grid lines.
    std::vector<std::int64_t> ticks{0, most};
    if (most >= 2)
        ticks.push_back(most / 2);
    for (std::int64_t value : ticks) {
        const double y = plotBottom - plotHeight * static_cast<double>(value) / static_cast<double>(most);
        out += "<line class=\"grid\"";
        appendAttribute(out, "x1", plotLeft);
        appendAttribute(out, "y1", y);
        appendAttribute(out, "x2", plotRight);
        appendAttribute(out, "y2", y);
        out += "/><text class=\"value\"";
        appendAttribute(out, "x", plotLeft - 6);
        appendAttribute(out, "y", y + 4);
        out += '>';
        out += plainDecimal(value);
        out += "</text>\n";
    }
    for (const Bar &bar : bars) {
        const double height = plotHeight * static_cast<double>(bar.uploads) / static_cast<double>(most);
        out += "<rect class=\"bar\"";
        appendAttribute(out, "x", plotLeft + plotWidth * bar.at);
        appendAttribute(out, "y", plotBottom - height);
        appendAttribute(out, "width", plotWidth * bar.width);
        appendAttribute(out, "height", height);
        out += "><title>";
        appendHtmlText(out, bar.tooltip);
        out += "</title></rect>\n";
    }
    for (const AxisLabel &label : labels) {
        out += "<text class=\"axis\" text-anchor=\"";
        out += label.anchor;
        out += '"';
        appendAttribute(out, "x", plotLeft + plotWidth * label.at);
        appendAttribute(out, "y", plotBottom + 18);
        out += '>';
        appendHtmlText(out, label.text);
        out += "</text>\n";
    }
    return out + "</svg>\n";
}

} // namespace

std::string periodChart(const ActivityPeriods &periods, const NumberFormat &format)
{
    if (periods.periods.empty())
        return {};
    const double slots = static_cast<double>(periods.periods.size());
    // Bars no wider than those of the hours, with a gap while they are wide
    // enough to show one.
    const double width = slots <= 200 ? std::min(0.8 / slots, 0.8 / 24) : 1 / slots;
    std::vector<Bar> bars;
    bars.reserve(periods.periods.size());
    for (std::size_t i = 0; i < periods.periods.size(); ++i) {
        const ActivityPeriod &period = periods.periods[i];
        bars.push_back({(static_cast<double>(i) + (1 - width * slots) / 2) / slots, width, period.count.uploads,
                        tooltip(periodName(period, periods.length), period.count, format)});
    }
    // The axis names its bars where they have room: a name at least 80 units
    // (about a month's name and year) after the one before it.
    std::vector<AxisLabel> labels;
    for (const AxisMark &mark : axisMarks(periods)) {
        const double at = (static_cast<double>(mark.index) + 0.5) / slots;
        if (labels.empty() || (at - labels.back().at) * (plotRight - plotLeft) >= 80)
            labels.push_back({at, mark.text, labels.empty() && at < 0.08 ? "start" : "middle"});
    }
    return chart("periods",
                 periodChartTitle(periods.length) + " " +
                     rangeText({periods.periods.front().start, periods.periods.back().end}),
                 bars, labels);
}

std::string hourChart(const Activity &activity, const NumberFormat &format)
{
    const double slots = static_cast<double>(activity.hours.size());
    std::vector<Bar> bars;
    std::vector<AxisLabel> labels;
    for (std::size_t hour = 0; hour < activity.hours.size(); ++hour) {
        const double at = static_cast<double>(hour) / slots;
        bars.push_back({at + 0.1 / slots, 0.8 / slots, activity.hours[hour].uploads,
                        tooltip(hourName(static_cast<int>(hour)), activity.hours[hour], format)});
        labels.push_back({at + 0.5 / slots, std::to_string(hour)});
    }
    return chart("hours", hourChartTitle, bars, labels);
}

} // namespace varnoth
