// Clicks in the result lists (sorting, arming the drill-down buttons) and
// the personal and file stats views, driven through the window.
#include "form1_harness.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

QByteArray line(const char *path, const char *nick, qint64 bytes, const char *duration, int minute)
{
    return uploadLine(QString::fromUtf8(path), QString::fromUtf8(nick), bytes, QString::fromUtf8(duration),
                      QStringLiteral("2003-06-14 21:%1").arg(minute, 2, 10, QLatin1Char('0')));
}

// Alice 4 uploads (12.00 MB), Cy 3 (7.50), Bob 2 (1.00), alice 1 (2.00).
QByteArray rankedLog()
{
    return line("C:\\share\\one.avi", "Alice", 3000000, "0:01:00", 1) +
           line("C:\\share\\two.avi", "Cy", 2500000, "0:02:00", 2) +
           line("C:\\share\\one.avi", "Alice", 3000000, "0:03:00", 3) +
           line("C:\\share\\three.avi", "Bob", 500000, "0:00:10", 4) +
           line("MyList.DcLst", "Alice", 3000000, "0:00:01", 5) +
           line("C:\\share\\two.avi", "Cy", 2500000, "0:00:05", 6) +
           line("C:\\share\\one.avi", "alice", 2000000, "0:00:07", 7) +
           line("C:\\share\\three.avi", "Bob", 500000, "0:00:20", 8) +
           line("C:\\share\\two.avi", "Cy", 2500000, "0:00:30", 9) +
           line("C:\\other\\four.avi", "Alice", 4123456, "0:00:02", 10);
}

// A window after a run on content.
void analyse(Form1Harness &h, const QByteArray &content)
{
    const QString log = h.writeFile(QStringLiteral("uploads.log"), content);
    h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 0 \r\n");
    h.start();
    h.click("Command1");
    QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));
}

int rowOf(Form1Harness &h, const char *grid, const QString &text)
{
    return static_cast<int>(h.column(grid, 0).indexOf(text));
}

QStringList names(Form1Harness &h)
{
    return h.column("grid1", 0).mid(1);
}

} // namespace

class ResultViewsTest : public QObject {
    Q_OBJECT

private slots:
    void uploadsColumnTogglesTheOrder()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        const QStringList descending{"Alice", "Cy", "Bob", "alice"};
        const QStringList ascending{"alice", "Bob", "Cy", "Alice"};
        QCOMPARE(names(h), descending);
        for (const QStringList &expected : {descending, ascending, descending}) {
            h.clickCell("grid1", 2, 1);
            QCOMPARE(names(h), expected);
        }
    }

    void uploadsAndMbytesShareOneToggle()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        h.clickCell("grid1", 1, 1);
        h.clickCell("grid1", 1, 2); // ascending by megabytes
        QCOMPARE(names(h), QStringList({"Bob", "alice", "Cy", "Alice"}));
        h.clickCell("grid1", 0, 2); // a header click sorts the same way
        QCOMPARE(names(h), QStringList({"Alice", "Cy", "alice", "Bob"}));
    }

    void nameArmsAndUploadTimeDisarms()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        QPushButton *command3 = h.button("Command3");
        h.clickCell("grid1", rowOf(h, "grid1", "Cy"), 0);
        QCOMPARE(command3->text(), QStringLiteral("Show personal stats for Cy"));
        QVERIFY(command3->isEnabled());
        const QStringList before = names(h);
        h.clickCell("grid1", 1, 3);
        QCOMPARE(command3->text(), QStringLiteral("Select any name by clicking it"));
        QVERIFY(!command3->isEnabled());
        QCOMPARE(names(h), before);
    }

    void otherListsDoNotSort()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        const QStringList files = h.column("grid2", 0);
        const QStringList folders = h.column("grid3", 0);
        h.clickCell("grid2", 1, 0);
        QVERIFY(h.button("Command4")->isEnabled());
        h.clickCell("grid2", 2, 1);
        QCOMPARE(h.button("Command4")->text(), QStringLiteral("Select any file by clicking it"));
        QVERIFY(!h.button("Command4")->isEnabled());
        h.clickCell("grid3", 1, 1);
        h.clickCell("grid3", 0, 0);
        QCOMPARE(h.column("grid2", 0), files);
        QCOMPARE(h.column("grid3", 0), folders);
        QVERIFY(!h.button("Command3")->isEnabled());
    }

    void fileCaptionsShortenFromFiftyCharacters_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("shown");
        for (int length : {49, 50, 51}) {
            const QString stored =
                QStringLiteral("C:\\d\\") + QString(length - 10, QLatin1Char('x')) + QStringLiteral(".avi ");
            QTest::addRow("%d characters", length)
                << length << (length < 50 ? stored : QStringLiteral("...") + stored.right(50));
        }
    }

    void fileCaptionsShortenFromFiftyCharacters()
    {
        QFETCH(int, length);
        QFETCH(QString, shown);
        Form1Harness h;
        QByteArray log;
        for (int n : {49, 50, 51})
            log += uploadLine(QStringLiteral("C:\\d\\") + QString(n - 10, QLatin1Char('x')) + QStringLiteral(".avi"),
                              QStringLiteral("Bob"), 100, QStringLiteral("0:00:01"));
        analyse(h, log);
        const QString stored =
            QStringLiteral("C:\\d\\") + QString(length - 10, QLatin1Char('x')) + QStringLiteral(".avi ");
        QCOMPARE(stored.size(), length);
        h.clickCell("grid2", rowOf(h, "grid2", stored), 0);
        QCOMPARE(h.button("Command4")->text(), QStringLiteral("Show file stats for ") + shown);
    }

    void personalStatsForOneNick()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        QStringList captions;
        connect(&h.form(), &QWidget::windowTitleChanged, this, [&](const QString &t) { captions << t; });
        h.clickCell("grid2", 1, 1); // Command4 waits, disarmed
        h.clickCell("grid1", rowOf(h, "grid1", "Alice"), 0);
        h.click("Command3");

        QCOMPARE(captions, QStringList({"Varnoth : Analyzing. - Reading Personal Information -",
                                        "Varnoth : -Analyzing complete-"}));
        QVERIFY(h.find<QWidget>("Picture4")->isVisible());
        QCOMPARE(h.label("Label21")->text(), QStringLiteral("Stats for : Alice"));
        QCOMPARE(h.column("grid4", 0), QStringList({"Files Uploaded To Alice", "C:\\share\\one.avi ",
                                                    "C:\\share\\one.avi ", "MyList.DcLst ", "C:\\other\\four.avi "}));
        QCOMPARE(h.column("grid4", 1), QStringList({"Mbytes:", "3.00", "3.00", "3.00", "4.12"}));
        QCOMPARE(h.column("grid4", 2), QStringList({"Upload Time:", "0:01:00", "0:03:00", "0:00:01", "0:00:02"}));
        QVERIFY(!h.grid("grid1")->isEnabled());
        QVERIFY(!h.button("Command3")->isVisible() && !h.button("Command4")->isVisible());
        QCOMPARE(h.grid("grid4")->accessibleName(), QStringLiteral("Stats for : Alice"));

        h.click("Command8");
        QVERIFY(!h.find<QWidget>("Picture4")->isVisible());
        QVERIFY(h.grid("grid1")->isEnabled());
        QCOMPARE(h.button("Command3")->text(), QStringLiteral("Show personal stats for Alice"));
        QVERIFY(h.button("Command3")->isVisible() && h.button("Command3")->isEnabled());
        QCOMPARE(h.button("Command4")->text(), QStringLiteral("Select any file by clicking it"));
        QVERIFY(h.button("Command4")->isVisible() && !h.button("Command4")->isEnabled());
        QCOMPARE(h.messages, QStringList());
    }

    void personalToggleIsKeptAcrossOpenings()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        h.clickCell("grid1", rowOf(h, "grid1", "Alice"), 0);
        h.click("Command3");
        h.clickCell("grid4", 1, 2);
        QCOMPARE(h.column("grid4", 2).mid(1), QStringList({"0:03:00", "0:01:00", "0:00:02", "0:00:01"}));
        h.click("Command8");
        h.clickCell("grid1", rowOf(h, "grid1", "Cy"), 0);
        h.click("Command3");
        QCOMPARE(h.column("grid4", 0).first(), QStringLiteral("Files Uploaded To Cy"));
        h.clickCell("grid4", 1, 2);
        QCOMPARE(h.column("grid4", 2).mid(1), QStringList({"0:00:05", "0:00:30", "0:02:00"}));
    }

    // The keyboard moving the current cell out of the name column disarms
    // Command3, as a click there would: the view opens only for a name.
    void personalStatsNeedTheNameColumn()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        h.clickCell("grid1", 1, 0);
        h.grid("grid1")->setFocus();
        QTest::keyClick(h.grid("grid1"), Qt::Key_Right);
        QCOMPARE(h.grid("grid1")->col(), 1);
        QCOMPARE(h.button("Command3")->text(), QStringLiteral("Select any name by clicking it"));
        QVERIFY(!h.button("Command3")->isEnabled());
        QCOMPARE(names(h), QStringList({"Alice", "Cy", "Bob", "alice"})); // a move does not sort
    }

    void fileStatsForOneFile()
    {
        Form1Harness h;
        analyse(h, rankedLog());
        h.clickCell("grid2", rowOf(h, "grid2", QStringLiteral("C:\\share\\two.avi ")), 0);
        QCOMPARE(h.button("Command4")->text(), QStringLiteral("Show file stats for C:\\share\\two.avi "));
        h.click("Command4");
        QVERIFY(h.find<QWidget>("Picture5")->isVisible());
        QCOMPARE(h.label("Label22")->text(), QStringLiteral("C:\\share\\two.avi  Has been Uploaded to :"));
        QCOMPARE(h.column("grid5", 0), QStringList({"Downloader:", "Cy", "Cy", "Cy"}));
        QCOMPARE(h.column("grid5", 1), QStringList({"Download Time:", "0:02:00", "0:00:05", "0:00:30"}));
        QCOMPARE(h.column("grid5", 2),
                 QStringList({"Upload Date/time:", "2003-06-14 21:02", "2003-06-14 21:06", "2003-06-14 21:09"}));
        QVERIFY(!h.grid("grid2")->isEnabled());
        QCOMPARE(h.form().windowTitle(), QStringLiteral("Varnoth : -Analyzing complete-"));
        h.clickCell("grid5", 1, 1); // descending by duration
        QCOMPARE(h.column("grid5", 1).mid(1), QStringList({"0:02:00", "0:00:30", "0:00:05"}));
        h.click("Command9");
        QVERIFY(!h.find<QWidget>("Picture5")->isVisible());
        QVERIFY(h.grid("grid2")->isEnabled());
        QVERIFY(h.button("Command4")->isVisible() && h.button("Command4")->isEnabled());

        // The file-list row lists every upload of the client's list.
        h.clickCell("grid2", rowOf(h, "grid2", QStringLiteral("MyList.DcLst ")), 0);
        h.click("Command4");
        QCOMPARE(h.column("grid5", 0), QStringList({"Downloader:", "Alice"}));
    }

    void longFileTitleShowsItsLastSixtyCharacters()
    {
        Form1Harness h;
        const QString path = QStringLiteral("C:\\share\\") + QString(70, QLatin1Char('y')) + QStringLiteral(".avi");
        analyse(h, uploadLine(path, QStringLiteral("Bob"), 100, QStringLiteral("0:00:01")));
        h.clickCell("grid2", 1, 0);
        h.click("Command4");
        QCOMPARE(h.label("Label22")->text(),
                 (path + QLatin1Char(' ')).right(60) + QStringLiteral(" Has been Uploaded to :"));
    }

    // The log written anew since the run: a line that the views cannot cut
    // ends the program. (Lines appended since are not the results' and are
    // not read; a refresh takes them.)
    void viewsEndTheProgramOnAChangedLog()
    {
        for (const char *button : {"Command3", "Command4"}) {
            Form1Harness h;
            analyse(h, rankedLog());
            h.writeFile(QStringLiteral("uploads.log"), "2003-06-14 21:05: C:\\x.avi uploaded to Bob\r\n" + rankedLog());
            h.clickCell(button == QLatin1String("Command3") ? "grid1" : "grid2", 1, 0);
            h.click(button);
            QCOMPARE(h.messages, QStringList({"Corrupted data found. Quitting..."}));
            QCOMPARE(h.endCount, 1);
        }
    }
};

QTEST_MAIN(ResultViewsTest)
#include "result_views_test.moc"
