// The logs the window reads: results that always belong to the logs
// named, several logs read as one, a drop and the command line, a refresh
// in place, following a growing log, and stopping a read.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "form1_harness.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

QByteArray rankedLog()
{
    return uploadLine("C:\\share\\a.avi", "Alice", 1500000, "0:01:00") +
           uploadLine("C:\\share\\b.avi", "Bob", 3000000, "0:02:00") +
           uploadLine("C:\\share\\a.avi", "Alice", 1500000, "0:00:30") +
           uploadLine("C:\\films\\c.avi", "Cy", 700000000, "1:00:00");
}

// A log large enough that a read of it is still running when it is stopped.
QByteArray largeLog()
{
    QByteArray log;
    const QByteArray lines = rankedLog();
    log.reserve(120 << 20);
    while (log.size() < (120 << 20))
        log += lines;
    return log;
}

QString startOn(Form1Harness &h, const QByteArray &content, const QString &name = QStringLiteral("uploads.log"))
{
    const QString log = h.writeFile(name, content);
    h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 0 \r\n");
    h.start();
    return log;
}

void append(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::Append) || file.write(bytes) != bytes.size())
        qFatal("cannot append");
}

// The window's state that a run fills in.
QStringList resultState(Form1Harness &h)
{
    QStringList state = h.column("grid1", 0) + h.column("grid1", 1) + h.column("grid2", 0);
    state << h.label("Label1")->text() << h.button("Command1")->text() << h.form().windowTitle();
    return state;
}

} // namespace

class Form1LogsTest : public QObject {
    Q_OBJECT

private slots:
    // Another log chosen after a run: the results go, Analyze reads it.
    void anotherLogEmptiesTheResults()
    {
        Form1Harness h;
        startOn(h, rankedLog());
        h.click("Command1");
        h.clickCell("grid1", 1, 0);
        h.click("Command3");
        QVERIFY(h.find<QWidget>("Picture4")->isVisible());
        const QString other =
            h.writeFile(QStringLiteral("other.log"), uploadLine("C:\\x\\y.avi", "Zed", 100, "0:00:01"));
        h.form().openLogs({other});

        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Analyze"));
        QVERIFY(h.button("Command1")->isEnabled());
        QVERIFY(!h.grid("grid1")->isVisible());
        QCOMPARE(h.grid("grid1")->rows(), 1);
        QVERIFY(!h.label("Label1")->isVisible());
        QVERIFY(!h.find<QWidget>("Picture4")->isVisible());
        QVERIFY(!h.find<QAction>("exportvalikko")->isEnabled());
        QVERIFY(!h.find<QAction>("activityAction")->isEnabled());
        QCOMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file : ") + other);
        QVERIFY(h.readSettings().contains(other.toUtf8()));

        h.click("Command1");
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Zed"}));
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));
    }

    // Logs chosen together are read as one, oldest first; the label names
    // the first and the last.
    void severalLogsAreReadAsOne()
    {
        Form1Harness h;
        startOn(h, rankedLog());
        const QString newer =
            h.writeFile(QStringLiteral("b.log"), uploadLine("C:\\x\\y.avi", "Zed", 100, "0:00:01", "2004-02-01 10:00"));
        const QString older = h.writeFile(QStringLiteral("a.log.1"), rankedLog().replace("2003-06-14", "2003-01-02"));
        h.form().openLogs({newer, older});
        QCOMPARE(h.label("Label9")->text(),
                 QStringLiteral("Upload log files : 2 logs, %1 \u2026 %2").arg(older, newer));
        h.click("Command1");
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Alice", "Cy", "Bob", "Zed"}));
        QCOMPARE(h.label("Label1")->text(), QStringLiteral("Total Uploads :  5"));
        // The settings file remembers the first of them.
        QVERIFY(h.readSettings().contains(older.toUtf8()));
    }

    // A file dropped on the window is offered to Analyze; logs named on
    // the command line are analysed at once.
    void droppedAndCommandLineLogs()
    {
        Form1Harness h;
        startOn(h, rankedLog());
        const QString dropped =
            h.writeFile(QStringLiteral("dropped.log"), uploadLine("C:\\x\\y.avi", "Dee", 100, "0:00:01"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dropped)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.form(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&h.form(), &drop);
        QTRY_COMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file : ") + dropped);
        h.click("Command1");
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Dee"}));

        Form1Harness fresh;
        startOn(fresh, rankedLog());
        fresh.form().analyzeLogs({dropped});
        fresh.waitForRead();
        QCOMPARE(fresh.column("grid1", 0), QStringList({"Name:", "Dee"}));
    }

    // F5 reads what was appended and updates the lists in place: the
    // selected downloader stays selected and named by Command3.
    void refreshUpdatesInPlace()
    {
        Form1Harness h;
        const QString log = startOn(h, rankedLog());
        h.click("Command1");
        h.clickCell("grid1", h.column("grid1", 0).indexOf(QStringLiteral("Bob")), 0);
        QCOMPARE(h.grid("grid1")->textUtf8(), std::string("Bob"));
        append(log, uploadLine("C:\\share\\b.avi", "Bob", 1000, "0:00:01") +
                        uploadLine("C:\\share\\d.avi", "Bob", 1000, "0:00:01"));
        h.find<QAction>("refreshAction")->trigger();
        h.waitForRead();
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Bob", "Alice", "Cy"}));
        QCOMPARE(h.column("grid1", 1), QStringList({"Uploads:", "3", "2", "1"}));
        QCOMPARE(h.grid("grid1")->row(), 1);
        QCOMPARE(h.grid("grid1")->textUtf8(), std::string("Bob"));
        QCOMPARE(h.button("Command3")->text(), QStringLiteral("Show personal stats for Bob"));
        QCOMPARE(h.label("Label1")->text(), QStringLiteral("Total Uploads :  6"));
        QCOMPARE(h.form().totalLinesAnalyzed(), 6.0);
        QCOMPARE(h.messages, QStringList());
    }

    // Following: appended lines come in by themselves; a corrupted one
    // stops the following and keeps the results.
    void followingALog()
    {
        Form1Harness h;
        const QString log = startOn(h, rankedLog());
        h.click("Command1");
        h.find<QAction>("followAction")->setChecked(true);
        QTRY_COMPARE(h.form().windowTitle(), QStringLiteral("Varnoth : Following"));
        append(log, uploadLine("C:\\share\\e.avi", "Eve", 1000, "0:00:01").left(30));
        append(log, uploadLine("C:\\share\\e.avi", "Eve", 1000, "0:00:01").mid(30));
        QTRY_COMPARE_WITH_TIMEOUT(h.column("grid1", 0).size(), 5, 8000);
        QCOMPARE(h.messages, QStringList());
        append(log, "2003-06-14 21:05: broken\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(h.messages, QStringList({"Corrupted data found at line 6. Following stopped."}),
                                  8000);
        QVERIFY(!h.find<QAction>("followAction")->isChecked());
        QCOMPARE(h.form().windowTitle(), QStringLiteral("Varnoth : -Analyzing complete-"));
        QCOMPARE(h.column("grid1", 0).size(), 5);
        h.find<QAction>("followAction")->setChecked(false);
    }

    // A cancelled first run leaves the window as before Analyze; a
    // cancelled refresh leaves the results as they were.
    void cancelledReadsChangeNothing()
    {
        Form1Harness h;
        const QString log = startOn(h, largeLog());
        const QStringList before = resultState(h);
        h.press("Command1");
        QVERIFY(h.form().reading());
        QTRY_VERIFY(h.button("cancelButton")->isVisible());
        QTest::mouseClick(h.button("cancelButton"), Qt::LeftButton);
        h.waitForRead();
        QCOMPARE(resultState(h), before);
        QVERIFY(h.button("Command1")->isEnabled());
        QVERIFY(!h.button("cancelButton")->isVisible());

        QFile::resize(log, 0);
        append(log, rankedLog());
        h.click("Command1");
        const QStringList results = resultState(h);
        append(log, largeLog());
        h.find<QAction>("refreshAction")->trigger();
        QVERIFY(h.form().reading());
        QTest::keyClick(&h.form(), Qt::Key_Escape);
        h.waitForRead();
        QCOMPARE(resultState(h), results);
        QCOMPARE(h.messages, QStringList());
    }

    // The close box stops a read, a run's or a drill-down's, then closes
    // the window.
    void theCloseBoxStopsAReadAndCloses_data()
    {
        QTest::addColumn<bool>("inView");
        QTest::newRow("run") << false;
        QTest::newRow("drill-down") << true;
    }
    void theCloseBoxStopsAReadAndCloses()
    {
        QFETCH(bool, inView);
        Form1Harness h;
        startOn(h, largeLog());
        if (inView) {
            h.click("Command1");
            h.clickCell("grid1", 1, 0);
        }
        h.press(inView ? "Command3" : "Command1");
        QVERIFY(h.form().reading());
        h.form().close();
        h.waitForRead();
        QTRY_VERIFY(!h.form().isVisible());
        QCOMPARE(h.messages, QStringList());
    }
};

QTEST_MAIN(Form1LogsTest)
#include "form1_logs_test.moc"
