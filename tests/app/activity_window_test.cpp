// View → Activity… and the activity window, driven through the windows: the
// menu's state, the charts and words for a small log, a range run narrowing
// the lists (the charts spanning the range asked for), Whole log restoring
// them, a range without uploads, the date fields from the keyboard, the
// window on a small screen at a scale of 2.
#include <QBarSeries>
#include <QBarSet>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>

#include "app/activity_window.h"
#include "form1_harness.h"
#include "views/hour_chart.h"
#include "views/period_chart.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

QByteArray line(const char *nick, qint64 bytes, const char *duration, const char *dateTime)
{
    return uploadLine(QStringLiteral("C:\\share\\%1.avi").arg(QString::fromUtf8(nick)), QString::fromUtf8(nick), bytes,
                      QString::fromUtf8(duration), QString::fromUtf8(dateTime));
}

// Friday one upload, Saturday two, then none until a Monday a month later.
QByteArray weekendLog()
{
    return line("Alice", 1000000, "0:01:00", "2003-06-13 21:05") + line("Bob", 2000000, "0:02:00", "2003-06-14 21:10") +
           line("Alice", 2500000, "0:01:00", "2003-06-14 22:15") + line("Cy", 500000, "0:00:30", "2003-07-14 09:00");
}

QList<double> barValues(QWidget *chart)
{
    const auto series = static_cast<QChartView *>(chart)->chart()->series();
    const QBarSet *set = static_cast<QBarSeries *>(series.first())->barSets().first();
    QList<double> values;
    for (int i = 0; i < set->count(); ++i)
        values << set->at(i);
    return values;
}

QString text(Form1Harness &h, const char *label)
{
    return h.label(label)->isVisible() ? h.label(label)->text() : QString();
}

// A run on a log (weekendLog() unless told), then View → Activity….
void openActivity(Form1Harness &h, const QByteArray &content = weekendLog())
{
    const QString log = h.writeFile(QStringLiteral("uploads.log"), content);
    h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 10 \r\n");
    h.start();
    auto *activity = h.find<QAction>("activityAction");
    QVERIFY(!activity->isEnabled());
    h.click("Command1");
    QVERIFY(activity->isEnabled());
    activity->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(h.find<QWidget>("ActivityWindow")));
}

// Types the dates as written into From and To, then presses Analyze range.
void analyzeRange(Form1Harness &h, const char *from, const char *to)
{
    for (const auto &[name, date] : {std::pair{"fromDate", from}, std::pair{"toDate", to}}) {
        auto *field = h.find<QDateEdit>(name);
        field->setSelectedSection(QDateTimeEdit::YearSection);
        QTest::keyClicks(field, QString::fromLatin1(date));
    }
    h.click("analyzeRange");
}

} // namespace

class ActivityWindowTest : public QObject {
    Q_OBJECT

private slots:
    void viewMenuAndTheFiguresOfASmallLog()
    {
        Form1Harness h;
        openActivity(h);
        QCOMPARE(h.form().menuBar()->actions().size(), 3); // File, View, Help
        QCOMPARE(h.form().menuBar()->actions().at(1)->text(), QStringLiteral("&View"));
        QCOMPARE(h.find<QAction>("activityAction")->text(), QStringLiteral("&Activity\u2026"));

        QCOMPARE(h.find<QWidget>("ActivityWindow")->windowTitle(), QStringLiteral("Varnoth : Activity"));
        QCOMPARE(text(h, "periodTitle"), QStringLiteral("Uploads per day from 2003-06-13 to 2003-07-14"));
        auto *days = h.find<varnoth::PeriodChart>("periodChart");
        const QList<double> dayBars = barValues(days);
        QCOMPARE(dayBars.size(), 32);
        QCOMPARE(dayBars.mid(0, 3) + dayBars.mid(31), QList<double>({1, 2, 0, 1}));
        QCOMPARE(days->barToolTip(1), QStringLiteral("Saturday 2003-06-14\n2 uploads\n4.50 MB\nUpload time 00:03:00"));
        auto *hours = h.find<varnoth::HourChart>("hourChart");
        QCOMPARE(barValues(hours).mid(20), QList<double>({0, 2, 1, 0}));
        QCOMPARE(hours->barToolTip(21), QStringLiteral("21:00 to 22:00\n2 uploads\n3.00 MB\nUpload time 00:03:00"));
        QCOMPARE(text(h, "busiestDay"), QStringLiteral("Busiest day : Saturday 2003-06-14, 2 uploads, 4.50 MB"));
        QCOMPARE(text(h, "busiestHour"), QStringLiteral("Busiest hour : 21:00 to 22:00, 2 of 4 uploads"));
        QCOMPARE(text(h, "daysWithUploads"),
                 QStringLiteral("Days with uploads : 3 of 32, 0.13 uploads a day on average"));
        QCOMPARE(h.find<QDateEdit>("fromDate")->date(), QDate(2003, 6, 13));
        QCOMPARE(h.find<QDateEdit>("toDate")->date(), QDate(2003, 7, 14));
        QVERIFY(!h.button("wholeLog")->isEnabled());

        // Dragging from Saturday's bar to Sunday's sets From and To.
        QWidget *viewport = days->viewport();
        const auto at = [&](int bar) {
            const QRectF plot = days->chart()->plotArea();
            const QPointF inChart(plot.left() + plot.width() * (bar + 0.5) / 32, plot.center().y());
            return days->mapFromScene(days->chart()->mapToScene(inChart));
        };
        QTest::mousePress(viewport, Qt::LeftButton, {}, at(1));
        QTest::mouseMove(viewport, at(2));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at(2));
        QCOMPARE(h.find<QDateEdit>("fromDate")->date(), QDate(2003, 6, 14));
        QCOMPARE(h.find<QDateEdit>("toDate")->date(), QDate(2003, 6, 15));
    }

    // Dates at the ends of the calendar: the window opens at once, a bar a century or a year.
    void farDates()
    {
        const std::tuple<const char *, const char *, const char *, int> cases[] = {
            {"0001-01-01 10:00", "9999-12-31 10:00", "Uploads per century from 0001-01-01 to 9999-12-31", 100},
            {"9949-06-01 10:00", "9999-01-01 10:00", "Uploads per year from 9949-06-01 to 9999-01-01", 51},
        };
        for (const auto &[first, last, title, bars] : cases) {
            Form1Harness h;
            openActivity(h, line("Ann", 1000000, "0:01:00", first) + line("Bob", 1000000, "0:01:00", last));
            QCOMPARE(text(h, "periodTitle"), QString::fromUtf8(title));
            QCOMPARE(barValues(h.find<varnoth::PeriodChart>("periodChart")).size(), bars);
        }
    }

    void analyzeRangeNarrowsAndWholeLogRestores()
    {
        Form1Harness h;
        openActivity(h);
        analyzeRange(h, "2003-06-14", "2003-06-14");
        QCOMPARE(h.messages, QStringList());
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Alice", "Bob"}));
        QCOMPARE(text(h, "Label1"), QStringLiteral("Total Uploads :  2"));
        QCOMPARE(text(h, "Label23"), QStringLiteral("Lines Completed : 2 / 2"));
        QCOMPARE(text(h, "rangeLabel"), QStringLiteral("Range : from 2003-06-14 to 2003-06-14"));
        QCOMPARE(h.form().totalLinesAnalyzed(), 10 + 4 + 2);
        QCOMPARE(barValues(h.find<QWidget>("periodChart")), QList<double>({2}));
        QVERIFY(h.button("wholeLog")->isEnabled());
        // A drill-down covers the range too.
        h.clickCell("grid1", 1, 0);
        h.click("Command3");
        QCOMPARE(h.column("grid4", 1), QStringList({"Mbytes:", "2.50"}));
        h.click("Command8");

        h.click("wholeLog");
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Alice", "Bob", "Cy"}));
        QCOMPARE(text(h, "Label1"), QStringLiteral("Total Uploads :  4"));
        QCOMPARE(text(h, "Label23"), QStringLiteral("Lines Completed : 4 / 4"));
        QCOMPARE(text(h, "rangeLabel"), QString());
        QCOMPARE(barValues(h.find<QWidget>("periodChart")).size(), 32);
        QCOMPARE(h.form().totalLinesAnalyzed(), 16);
    }

    void aRangeWithoutUploadsKeepsTheResults()
    {
        Form1Harness h;
        openActivity(h);
        const QStringList names = h.column("grid1", 0);
        analyzeRange(h, "2003-06-15", "2003-06-15");
        QCOMPARE(h.messages, QStringList({"No uploaded files or folders found from 2003-06-15 to 2003-06-15 (or all "
                                          "files are MyLists). The results shown are kept."}));
        QCOMPARE(h.endCount, 0);
        QCOMPARE(h.column("grid1", 0), names);
        QCOMPARE(text(h, "Label23"), QStringLiteral("Lines Completed : 4 / 4"));
        QCOMPARE(text(h, "rangeLabel"), QString());
        QVERIFY(h.button("Command1")->isEnabled());
        QCOMPARE(h.find<QDateEdit>("fromDate")->date(), QDate(2003, 6, 15));
    }

    // The chart and the days count span the range asked for, as the main
    // window names it, days without uploads at either end included.
    void aRangeRunSpansTheWholeRange()
    {
        Form1Harness h;
        openActivity(h);
        analyzeRange(h, "2003-06-12", "2003-06-16"); // before the log's first day: From stops there
        QCOMPARE(text(h, "rangeLabel"), QStringLiteral("Range : from 2003-06-13 to 2003-06-16"));
        QCOMPARE(text(h, "periodTitle"), QStringLiteral("Uploads per day from 2003-06-13 to 2003-06-16"));
        QCOMPARE(barValues(h.find<QWidget>("periodChart")), QList<double>({1, 2, 0, 0}));
        QCOMPARE(text(h, "daysWithUploads"),
                 QStringLiteral("Days with uploads : 2 of 4, 0.75 uploads a day on average"));
    }

    // Any day of the log can be typed, whatever the sections pass through
    // (2004-01-02 to 2003-12-31 passes through 2003-01-02); F4 and Alt+Down
    // open the calendar.
    void datesFromTheKeyboard()
    {
        Form1Harness h;
        openActivity(h, line("Alice", 1000000, "0:01:00", "2003-12-30 10:00") +
                            line("Bob", 1000000, "0:01:00", "2004-01-02 10:00"));
        auto *from = h.find<QDateEdit>("fromDate");
        from->setDate(QDate(2004, 1, 2));
        from->setFocus();
        from->setSelectedSection(QDateTimeEdit::YearSection);
        QTest::keyClicks(from, QStringLiteral("2003-12-31"));
        QCOMPARE(from->date(), QDate(2003, 12, 31));
        h.click("analyzeRange");
        QCOMPARE(text(h, "rangeLabel"), QStringLiteral("Range : from 2003-12-31 to 2004-01-02"));

        for (const auto &[key, modifiers] : {std::pair{Qt::Key_F4, Qt::KeyboardModifiers()},
                                             std::pair{Qt::Key_Down, Qt::KeyboardModifiers(Qt::AltModifier)}}) {
            from->setFocus();
            QTest::keyClick(from, key, modifiers);
            QTRY_VERIFY(from->calendarWidget()->isVisible());
            QTest::keyClick(from->calendarWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!from->calendarWidget()->isVisible());
        }
    }

    // At any scale the window fits the screen's free area; its charts scroll
    // and From, To and the buttons stay in view.
    void fitsASmallScreen()
    {
        Form1Harness h;
        openActivity(h);
        auto *window = h.find<QWidget>("ActivityWindow");
        const QRect room = window->screen()->availableGeometry();
        QVERIFY(window->frameGeometry().width() <= room.width());
        QVERIFY(window->frameGeometry().height() <= room.height());
        for (const char *control : {"fromDate", "toDate", "analyzeRange", "wholeLog", "closeActivity"}) {
            QWidget *widget = h.find<QWidget>(control);
            QVERIFY2(window->rect().contains(QRect(widget->mapTo(window, QPoint()), widget->size())), control);
        }
        auto *charts = h.find<QScrollArea>("activityScroller");
        if (window->height() < 500) // the charts take 500 pixels or more
            QVERIFY(charts->widget()->height() > charts->viewport()->height());
    }
};

QTEST_MAIN(ActivityWindowTest)
#include "activity_window_test.moc"
