// The Analyze command through the window: the path check, a whole run on a
// small log, the messages that end the program, and Quit.
#include <QApplication>
#include <QDir>
#include <QFile>

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
        connect(&h.form(), &QWidget::windowTitleChanged, this, [&](const QString &title) { captions << title; });
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
        QCOMPARE(h.column("grid2", 1), QStringList({"Uploads:", "2", "1"}));
        // Each summary line lands on its label.
        QCOMPARE(h.label("Label1")->text(), QStringLiteral("Total Uploads :  3"));
        QCOMPARE(h.label("Label11")->text(), QStringLiteral("Total MB's Uploaded : 6"));
        QCOMPARE(h.label("Label18")->text(), QStringLiteral("Average Upload time / Person :  0h  1m 45.0s "));
        QCOMPARE(h.label("Label23")->text(), QStringLiteral("Lines Completed : 3 / 3"));
        // The fill spans the whole frame at 100 %.
        QCOMPARE(h.find<QWidget>("Picture2")->geometry(), h.find<QWidget>("Picture1")->contentsRect());
        QCOMPARE(h.button("Command10")->text(), QStringLiteral("Save Results"));
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));
        QCOMPARE(h.form().totalLinesAnalyzed(), 13);
        QCOMPARE(h.endCount, 0);
    }

    // While the log is read on its worker thread, the window takes no input
    // but what stops the read: a menu key and a key on the button are
    // dropped, not handled once the run has ended.
    void runTakesNoInput()
    {
        Form1Harness h;
        startOn(h, smallLog());
        h.button("Command1")->setFocus();
        h.press("Command1");
        QVERIFY(h.form().reading());
        QTest::keyClick(&h.form(), Qt::Key_H, Qt::AltModifier);
        QTest::keyClick(h.button("Command1"), Qt::Key_Space);
        h.waitForRead();
        QVERIFY(h.form().isVisible());
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));
        QCOMPARE(h.endCount, 0);
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
        QCOMPARE(h.endCount, 0);
    }

    void aCorruptedLogEndsTheProgram()
    {
        Form1Harness h;
        startOn(h, smallLog() + "2003-06-14 21:05: C:\\x.avi sent to Bob, 1 (1), 1, 0:00:01\r\n", 5);
        const QByteArray settings = h.readSettings();
        h.click("Command1");
        QCOMPARE(h.messages, QStringList({"Corrupted data found at line 4. Quitting..."}));
        QCOMPARE(h.endCount, 1);
        QCOMPARE(h.readSettings(), settings);
        QVERIFY(h.button("Command1")->text() != QStringLiteral("Quit"));
    }
};

QTEST_MAIN(Form1AnalyzeTest)
#include "form1_analyze_test.moc"
