#include "activity_window.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

#include "date_field.h"
#include "screen_room.h"
#include "views/hour_chart.h"
#include "views/period_chart.h"
#include "wording/activity_captions.h"

namespace varnoth {
namespace {

// Julian day of 1970-01-01, where day numbers start.
constexpr qint64 julianDayOfEpoch = 2440588;

QDate toQDate(const CalendarDate &date)
{
    return QDate::fromJulianDay(date.dayNumber() + julianDayOfEpoch);
}

CalendarDate fromQDate(const QDate &date)
{
    return CalendarDate::fromDayNumber(static_cast<std::int32_t>(date.toJulianDay() - julianDayOfEpoch));
}

template <typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel *titleLabel(const char *name)
{
    auto *label = named(new QLabel, name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

DateField *dateField(const char *name, QLabel *title)
{
    auto *field = named(new DateField, name);
    field->setAccessibleName(title->text());
    title->setBuddy(field);
    return field;
}

} // namespace

ActivityWindow::ActivityWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ActivityWindow"));
    setWindowTitle(QStringLiteral("Varnoth : Activity"));
    buildControls();
    connect(periodChart_, &PeriodChart::periodsSelected, this, &ActivityWindow::choosePeriods);
    connect(analyzeRange_, &QPushButton::clicked, this, &ActivityWindow::requestRange);
    connect(wholeLog_, &QPushButton::clicked, this, &ActivityWindow::wholeLogRequested);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    // Never larger than the screen's free area, at any scale: the charts
    // scroll inside, the range and the buttons stay in view below them.
    resize(QSize(920, 660).boundedTo(screenRoom(*this)));
}

void ActivityWindow::buildControls()
{
    periodTitle_ = titleLabel("periodTitle");
    periodChart_ = named(new PeriodChart, "periodChart");
    periodChart_->setMinimumHeight(300);
    hourTitle_ = titleLabel("hourTitle");
    hourTitle_->setText(QString::fromUtf8(hourChartTitle));
    hourChart_ = named(new HourChart, "hourChart");
    hourChart_->setAccessibleName(hourTitle_->text());
    hourChart_->setMinimumHeight(200);
    busiestDay_ = named(new QLabel, "busiestDay");
    busiestHour_ = named(new QLabel, "busiestHour");
    days_ = named(new QLabel, "daysWithUploads");
    undated_ = named(new QLabel, "undated");
    for (QLabel *words : {busiestDay_, busiestHour_, days_, undated_}) {
        words->setTextFormat(Qt::PlainText);
        words->setWordWrap(true);
    }
    auto *dragHint = named(new QLabel(QStringLiteral("Drag across the bars above to choose From and To.")), "dragHint");
    dragHint->setEnabled(false);

    fromLabel_ = named(new QLabel(QStringLiteral("From")), "fromLabel");
    fromDate_ = dateField("fromDate", fromLabel_);
    toLabel_ = named(new QLabel(QStringLiteral("To")), "toLabel");
    toDate_ = dateField("toDate", toLabel_);
    analyzeRange_ = named(new QPushButton(QStringLiteral("Analyze range")), "analyzeRange");
    analyzeRange_->setDefault(true);
    wholeLog_ = named(new QPushButton(QStringLiteral("Whole log")), "wholeLog");
    wholeLog_->setAutoDefault(false);
    close_ = named(new QPushButton(QStringLiteral("Close")), "closeActivity");
    close_->setAutoDefault(false);

    auto *words = new QVBoxLayout;
    words->addWidget(busiestDay_);
    words->addWidget(busiestHour_);
    words->addWidget(days_);
    words->addWidget(undated_);
    words->addStretch();
    words->addWidget(dragHint);

    auto *lower = new QGridLayout;
    lower->addWidget(hourTitle_, 0, 0);
    lower->addWidget(hourChart_, 1, 0);
    lower->addLayout(words, 1, 1);
    lower->setColumnStretch(0, 3);
    lower->setColumnStretch(1, 2);

    auto *range = new QHBoxLayout;
    range->addWidget(fromLabel_);
    range->addWidget(fromDate_);
    range->addSpacing(12);
    range->addWidget(toLabel_);
    range->addWidget(toDate_);
    range->addSpacing(12);
    range->addWidget(analyzeRange_);
    range->addWidget(wholeLog_);
    range->addStretch();
    range->addWidget(close_);

    auto *charts = new QWidget;
    charts->setObjectName(QStringLiteral("activityCharts"));
    auto *chartsLayout = new QVBoxLayout(charts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    chartsLayout->addWidget(periodTitle_);
    chartsLayout->addWidget(periodChart_, 3);
    chartsLayout->addLayout(lower, 2);
    auto *scroller = named(new QScrollArea, "activityScroller");
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(charts);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(scroller, 1);
    layout->addLayout(range);
    setTabOrder(fromDate_, toDate_);
    setTabOrder(toDate_, analyzeRange_);
    setTabOrder(analyzeRange_, wholeLog_);
    setTabOrder(wholeLog_, close_);
}

void ActivityWindow::showReport(const AnalysisReport &shown, const AnalysisReport &wholeLog, const NumberFormat &format)
{
    // The charts and the days span the range asked for, days without
    // uploads included, as the main window names it.
    const Activity &activity = shown.activity;
    ActivityPeriods periods = activityPeriods(activity, shown.range);
    std::string title = periodChartTitle(periods.length);
    if (const auto span = shownSpan(activity, shown.range))
        title += " " + rangeText(*span);
    periodTitle_->setText(QString::fromStdString(title));
    periodChart_->setAccessibleName(periodTitle_->text());
    periodChart_->setPeriods(std::move(periods), format);
    hourChart_->setHours(activity.hours, format);
    busiestDay_->setText(QString::fromStdString(busiestDayCaption(activity, format)));
    busiestHour_->setText(QString::fromStdString(busiestHourCaption(activity)));
    days_->setText(QString::fromStdString(daysCaption(activity, format, shown.range)));
    undated_->setText(QString::fromStdString(undatedCaption(activity)));
    undated_->setVisible(activity.undated > 0);

    // A log without dates offers no range.
    const auto first = wholeLog.activity.first();
    const auto last = wholeLog.activity.last();
    for (QWidget *control : std::initializer_list<QWidget *>{fromDate_, toDate_, analyzeRange_})
        control->setEnabled(first.has_value());
    if (first && last) {
        fromDate_->setSpan(toQDate(*first), toQDate(*last));
        toDate_->setSpan(toQDate(*first), toQDate(*last));
        fromDate_->setDate(toQDate(shown.range.from.value_or(activity.first().value_or(*first))));
        toDate_->setDate(toQDate(shown.range.to.value_or(activity.last().value_or(*last))));
    }
    wholeLog_->setEnabled(!shown.range.whole());
}

// From and To in either order make the same range.
void ActivityWindow::requestRange()
{
    const QDate from = std::min(fromDate_->spannedDate(), toDate_->spannedDate());
    const QDate to = std::max(fromDate_->spannedDate(), toDate_->spannedDate());
    emit rangeRequested(DateRange{fromQDate(from), fromQDate(to)});
}

void ActivityWindow::choosePeriods(int first, int last)
{
    const std::vector<ActivityPeriod> &bars = periodChart_->periods().periods;
    fromDate_->setDate(toQDate(bars[static_cast<std::size_t>(first)].start));
    toDate_->setDate(toQDate(bars[static_cast<std::size_t>(last)].end));
}

} // namespace varnoth
