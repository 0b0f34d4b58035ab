// Start-up from the settings file, the controls in their start state, About,
// Exit and the close box.
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "form1_harness.h"

using varnoth::test::Form1Harness;

class Form1StartupTest : public QObject {
    Q_OBJECT

private slots:
    // The window opens at its design size where the screen's available area
    // holds it, else as large as the area allows with the content scrolling
    // at the design size; either way nothing is out of reach.
    void windowFitsTheScreen()
    {
        Form1Harness h;
        h.start();
        const QRect room = h.form().screen()->availableGeometry();
        const QSize full(996, 569 + h.form().menuBar()->sizeHint().height());
        const bool fits = full.width() <= room.width() - 16 && full.height() <= room.height() - 40;
        auto *scroller = qobject_cast<QScrollArea *>(h.form().centralWidget());
        QVERIFY(scroller);
        QWidget *content = scroller->widget();
        QCOMPARE(content->size(), QSize(996, 569));
        QCOMPARE(h.form().size() == full, fits);
        QVERIFY(h.form().width() <= room.width() && h.form().height() <= room.height());
        QVERIFY(QTest::qWaitForWindowActive(&h.form()));
        QCOMPARE(h.form().focusWidget()->objectName(), QStringLiteral("Command5")); // the first shown control
        scroller->horizontalScrollBar()->setValue(scroller->horizontalScrollBar()->maximum());
        scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
        QVERIFY(scroller->viewport()->rect().contains(content->mapTo(scroller->viewport(), QPoint(995, 568))));
    }

    void startUpCases_data()
    {
        QTest::addColumn<bool>("settingsFile");
        QTest::addColumn<bool>("logExists");
        QTest::addColumn<int>("messageCount");
        QTest::addColumn<bool>("analyzeShown");
        QTest::addColumn<bool>("text1Shown");
        QTest::addColumn<bool>("labelNamesPath");
        QTest::newRow("no settings file") << false << false << 1 << false << true << false;
        QTest::newRow("log path not found") << true << false << 0 << false << true << false;
        QTest::newRow("log path found") << true << true << 0 << true << false << true;
    }

    void startUpCases()
    {
        QFETCH(bool, settingsFile);
        QFETCH(bool, logExists);
        QFETCH(int, messageCount);
        QFETCH(bool, analyzeShown);
        QFETCH(bool, text1Shown);
        QFETCH(bool, labelNamesPath);

        Form1Harness h;
        const QString log = h.folder() + QStringLiteral("/uploads.log");
        if (logExists)
            h.writeFile(QStringLiteral("uploads.log"), varnoth::test::uploadLine("C:\\a\\b.avi", "x", 1, "0:00:01"));
        if (settingsFile)
            h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 12 \r\n");
        h.start();

        QCOMPARE(h.messages.size(), messageCount);
        if (messageCount)
            QCOMPARE(h.messages.first(),
                     QStringLiteral("Please type the complete path to your DC++ uploads.log file in the text field "
                                    "on the next screen eg. C:\\program files\\dc++\\logs\\uploads.log"));
        QCOMPARE(h.button("Command1")->isVisible(), analyzeShown);
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Analyze"));
        QVERIFY(h.button("Command5")->isVisible());
        QCOMPARE(h.text1()->isVisible(), text1Shown);
        QCOMPARE(h.text1()->text(), labelNamesPath ? log : QStringLiteral("Browse your Upload.log filepath here"));
        QCOMPARE(h.label("Label9")->text(),
                 labelNamesPath ? QStringLiteral("Upload log file : ") + log : QStringLiteral("Upload log file:"));
        QCOMPARE(h.form().totalLinesAnalyzed(), settingsFile ? 12 : 0);
        for (const char *hidden : {"grid1", "grid2", "grid3", "Picture3", "Picture4", "Picture5"})
            QVERIFY2(!h.form().findChild<QWidget *>(QString::fromLatin1(hidden))->isVisible(), hidden);
        for (const char *hidden : {"Command3", "Command4", "Command10", "Label5", "Label23", "Label1", "Label2"})
            QVERIFY2(!h.form().findChild<QWidget *>(QString::fromLatin1(hidden))->isVisible(), hidden);
        QCOMPARE(h.endCount, 0);
    }

    void lineTotalAndAbout_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("aboutTotal");
        QTest::newRow("sign-spaced total") << QByteArray("Quillon ini file 1\r\nC:\\x.log\r\n 1234 \r\n") << "  1234";
        QTest::newRow("letters") << QByteArray("Quillon ini file 1\r\nC:\\x.log\r\nabc\r\n") << "  0";
        QTest::newRow("header in other case") << QByteArray("quillon INI file 1\r\nC:\\x.log\r\n 99 \r\n") << "  0";
    }

    void lineTotalAndAbout()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, aboutTotal);
        Form1Harness h;
        h.writeSettings(settings);
        h.start();
        QCOMPARE(h.messages.size(), 0);
        QCOMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file:"));
        QCOMPARE(h.form().settingsFileHeader(), settings.left(settings.indexOf('\r')).toStdString());

        h.find<QAction>("aboutvalikko")->trigger();
        QCOMPARE(h.messages.size(), 1);
        const QStringList lines = h.messages.first().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("Varnoth v. 1.0"));
        QVERIFY(lines[1].startsWith(QStringLiteral("Email any comments / suggestions about this software to ")));
        QCOMPARE(lines[2], QStringLiteral("Total lines analyzed :") + aboutTotal);
    }

    void exitAndCloseBoxWriteNothing()
    {
        const QByteArray settings("Quillon ini file 1\r\n/nowhere/uploads.log\r\n 7 \r\n");
        for (bool viaMenu : {true, false}) {
            Form1Harness h;
            h.writeSettings(settings);
            h.start();
            if (viaMenu)
                h.find<QAction>("exitvalikko")->trigger();
            else
                h.form().close();
            QCOMPARE(h.endCount, viaMenu ? 1 : 0);
            QVERIFY(!h.form().isVisible() || viaMenu);
            QCOMPARE(h.readSettings(), settings);
        }
    }

    void accessibleNamesFollowCaptions()
    {
        Form1Harness h;
        h.start();
        QCOMPARE(h.grid("grid1")->accessibleName(), QStringLiteral("Top Downloaders:"));
        QCOMPARE(h.grid("grid3")->accessibleName(), QStringLiteral("Most Accessed Folders:"));
        QCOMPARE(h.grid("grid2")->accessibleName(), QStringLiteral("Most Downloaded files"));
        // Buttons, labels and the path field are read by their captions.
        auto name = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(h.button("Command5")), QStringLiteral("Browse"));
        QCOMPARE(name(h.label("Label9")), QStringLiteral("Upload log file:"));
        QCOMPARE(name(h.text1()), QStringLiteral("Upload log file:"));
        // Lists without a caption are named after their title label.
        for (const char *list : {"Drive1", "Dir1", "File1"})
            QCOMPARE(name(h.find<QWidget>(list)), QStringLiteral("Select your Upload.log file to analyze:"));
        QAccessibleInterface *drives = QAccessible::queryAccessibleInterface(h.find<QWidget>("Drive1"));
        QCOMPARE(drives->text(QAccessible::Value), h.find<QComboBox>("Drive1")->currentText());
        // The progress frame reports what its fill shows.
        QWidget *frame = h.find<QWidget>("Picture1");
        QAccessibleInterface *progress = QAccessible::queryAccessibleInterface(frame);
        QCOMPARE(progress->role(), QAccessible::ProgressBar);
        QCOMPARE(progress->valueInterface()->currentValue().toInt(), 0);
        h.find<QWidget>("Picture2")->resize(frame->contentsRect().width() / 4, 1);
        QCOMPARE(progress->valueInterface()->currentValue().toInt(), 25);
        QCOMPARE(h.find<QMenu>("filevalikko")->title(), QStringLiteral("&File"));
        QCOMPARE(h.find<QMenu>("helppivalikko")->title(), QStringLiteral("&Help"));
    }
};

QTEST_MAIN(Form1StartupTest)
#include "form1_startup_test.moc"
