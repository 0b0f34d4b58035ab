// The Analyze command through the window: the path check, a whole run on a
// small log, the messages that end the program, and Quit.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

#include "form1_harness.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

QByteArray smallLog()
{
    return uploadLine("C:\\share\\a.avi", "Alice", 1500000, "0:01:00") +
           uploadLine("C:\\share\\b.avi", "Bob", 3000000, "0:02:00") +
           uploadLine("C:\\share\\a.avi", "Alice", 1500000, "0:00:30");
}

// A window started on a settings file naming the log written from content.
QString startOn(Form1Harness &h, const QByteArray &content, double total = 0)
{
    const QString log = h.writeFile(QStringLiteral("uploads.log"), content);
    h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n " + QByteArray::number(total) + " \r\n");
    h.start();
    return log;
}

} // namespace

class Form1AnalyzeTest : public QObject {
    Q_OBJECT

private slots:
    void runOnASmallLog()
    {
        Form1Harness h;
        startOn(h, smallLog(), 10);
        QStringList captions;
        connect(&h.form(), &QWidget::windowTitleChanged, this, [&](const QString &title) {
            if (captions.isEmpty() || captions.last() != title)
                captions << title;
        });
        h.click("Command1");

        QCOMPARE(h.messages, QStringList());
        QCOMPARE(captions, QStringList({"Varnoth : Analyzing. - Reading Information -",
                                        "Varnoth : Analyzing. - Counting individual downloaders -",
                                        "Varnoth : Analyzing. - Counting Folder access times -",
                                        "Varnoth : Analyzing. - Counting total unique filenames -",
                                        "Varnoth : -Analyzing complete-"}));
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Alice", "Bob"}));
        QCOMPARE(h.column("grid1", 3), QStringList({"Upload Time:", "00:01:30", "00:02:00"}));
        QCOMPARE(h.column("grid3", 0), QStringList({"Folder:", "C:\\share"}));
        QCOMPARE(h.column("grid2", 0), QStringList({"File:", "C:\\share\\a.avi ", "C:\\share\\b.avi "}));
        QCOMPARE(h.column("grid2", 1), QStringList({"Uploads:", "2", "1"}));

        const std::pair<const char *, const char *> labels[] = {
            {"Label1", "Total Uploads :  3"},
            {"Label4", "Total Uploaders :  2"},
            {"Label7", "Different files uploaded :  2"},
            {"Label12", "Different folders accessed :  1"},
            {"Label6", "Average Uploads / Person : 1.50"},
            {"Label13", "Average accesses / Folder : 3.00"},
            {"Label10", "Average Uploads / File: 1.50"},
            {"Label11", "Total MB's Uploaded : 6"},
            {"Label14", "Total Upload Time :  0h  3m  30s "},
            {"Label15", "Average Upload Speed / File : 0.03 MB/s"},
            {"Label16", "Average Upload Time / File : 70.00 s"},
            {"Label17", "Average MB's Uploaded / Person : 3.00 Mb"},
            {"Label19", "Average Filesize / File : 2.00 MB (MyLists not included)"},
            {"Label18", "Average Upload time / Person :  0h  1m 45.0s "},
        };
        for (const auto &[name, caption] : labels) {
            QCOMPARE(h.label(name)->text(), QString::fromUtf8(caption));
            QVERIFY2(h.label(name)->isVisible(), name);
        }
        for (const char *shown : {"grid1", "grid2", "grid3", "Label2", "Label3", "Label8", "Label5", "Label23",
                                  "Picture1", "Command3", "Command4"})
            QVERIFY2(h.form().findChild<QWidget *>(QString::fromLatin1(shown))->isVisible(), shown);
        QVERIFY(!h.button("Command5")->isVisible());
        QVERIFY(!h.button("Command3")->isEnabled() && !h.button("Command4")->isEnabled());
        QVERIFY(!h.button("Command10")->isVisible());
        QCOMPARE(h.button("Command10")->text(), QStringLiteral("Save Results"));
        QCOMPARE(h.label("Label23")->text(), QStringLiteral("Lines Completed : 3 / 3"));
        // The fill spans the whole frame at 100 %.
        auto *frame = h.find<QWidget>("Picture1");
        QCOMPARE(h.find<QWidget>("Picture2")->geometry(), frame->contentsRect());
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));
        QVERIFY(h.button("Command1")->isEnabled());
        QCOMPARE(h.form().analysisState().TotalLinesAnalyzed, 13.0);
        QCOMPARE(h.endCount, 0);
    }

    void runTakesNoInputButRepaints()
    {
        Form1Harness h;
        startOn(h, smallLog());
        bool ranDuringRun = false;
        // Fires at the run's first repaint: the close box and a menu key are swallowed.
        QTimer::singleShot(0, &h.form(), [&] {
            ranDuringRun = !h.button("Command1")->isEnabled();
            h.form().close();
            QTest::keyClick(&h.form(), Qt::Key_H, Qt::AltModifier);
        });
        h.click("Command1");
        QVERIFY(ranDuringRun);
        QVERIFY(h.form().isVisible());
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));
        QVERIFY(QApplication::activePopupWidget() == nullptr);
    }

    void quitWritesTheSettingsAndEnds()
    {
        Form1Harness h;
        const QString log = startOn(h, smallLog(), 10);
        h.click("Command1");
        h.click("Command1");
        QCOMPARE(h.readSettings(), "Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 13 \r\n");
        QCOMPARE(h.endCount, 1);
        QCOMPARE(h.messages, QStringList());
    }

    void quitThatCannotWriteReportsAndEnds()
    {
        Form1Harness h;
        startOn(h, smallLog());
        h.click("Command1");
        QDir(h.settingsFolder()).removeRecursively();
        h.writeFile(QStringLiteral("settings"), "a file where the folder should be");
        h.click("Command1");
        QCOMPARE(h.messages.size(), 1);
        QVERIFY(h.messages.first().startsWith(QStringLiteral("Following error has occured : ")));
        QVERIFY(h.messages.first().endsWith(QStringLiteral(". Quitting...")));
        QCOMPARE(h.endCount, 1);
    }

    void missingLogShowsThePathField()
    {
        Form1Harness h;
        const QString log = startOn(h, smallLog());
        QFile::remove(log);
        h.click("Command1");
        QCOMPARE(h.messages, QStringList({"Invalid Upload log file path! Enter the correct path to textfield. "
                                          "eg. C:\\program files\\dc++\\logs\\uploads.log"}));
        QVERIFY(h.text1()->isVisible());
        QCOMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file :"));
        QVERIFY(!h.button("Command1")->isVisible());
        QVERIFY(h.button("Command5")->isVisible());
        QCOMPARE(h.form().analysisState().LineCount, 0);
        QCOMPARE(h.endCount, 0);
    }

    void runsThatEndTheProgram_data()
    {
        QTest::addColumn<QByteArray>("log");
        QTest::addColumn<QString>("message");
        QTest::newRow("corrupted line") << smallLog() + "2003-06-14 21:05: C:\\x.avi sent to Bob, 1 (1), 1, 0:00:01\r\n"
                                        << "Corrupted data found at line 4. Quitting...";
        QTest::newRow("only file lists") << uploadLine("MyList.bz2", "Bob", 100, "0:00:01") +
                                                uploadLine("MyList.bz2", "Ann", 100, "0:00:01")
                                         << "No uploaded files or folders found or all files are (MyLists) Quitting...";
        QTest::newRow("no folders") << uploadLine("song.mp3", "Bob", 100, "0:00:01")
                                    << "No uploaded files or folders found or all files are (MyLists) Quitting...";
        QTest::newRow("empty log") << QByteArray()
                                   << "No uploaded files or folders found or all files are (MyLists) Quitting...";
    }

    void runsThatEndTheProgram()
    {
        QFETCH(QByteArray, log);
        QFETCH(QString, message);
        Form1Harness h;
        startOn(h, log, 5);
        const QByteArray settings = h.readSettings();
        h.click("Command1");
        QCOMPARE(h.messages.size(), 1);
        QVERIFY2(h.messages.first().startsWith(message), qPrintable(h.messages.first()));
        QCOMPARE(h.endCount, 1);
        QCOMPARE(h.readSettings(), settings);
        QVERIFY(h.button("Command1")->text() != QStringLiteral("Quit"));
    }
};

QTEST_MAIN(Form1AnalyzeTest)
#include "form1_analyze_test.moc"
