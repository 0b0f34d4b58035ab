// The window as a keyboard user meets it: the tab order, Tab leaving each
// grid, where the focus goes when views and panels open and close, and what
// the covered controls tell a screen reader.
#include <QApplication>

#include "form1_harness.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

// Presses a key on the focused control; returns the name of the control
// that has the focus afterwards.
QString press(Form1Harness &h, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(h.form().focusWidget(), key, modifiers);
    return h.form().focusWidget() ? h.form().focusWidget()->objectName() : QString();
}

QStringList tabs(Form1Harness &h, int count, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << press(h, Qt::Key_Tab, modifiers);
    return names;
}

QString focused(Form1Harness &h)
{
    return h.form().focusWidget()->objectName();
}

bool shown(Form1Harness &h, const char *name)
{
    return h.find<QWidget>(name)->isVisible();
}

} // namespace

class Form1KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void resultsAndViews()
    {
        Form1Harness h;
        const QString log =
            h.writeFile(QStringLiteral("uploads.log"), uploadLine("C:\\share\\a.avi", "Alice", 1500000, "0:01:00") +
                                                           uploadLine("C:\\share\\b.avi", "Bob", 3000000, "0:02:00"));
        h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 0 \r\n");
        h.start();
        QVERIFY(QTest::qWaitForWindowActive(&h.form()));
        h.button("Command1")->setFocus();
        press(h, Qt::Key_Return); // Enter presses the focused button: Analyze
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));
        QCOMPARE(focused(h), QStringLiteral("grid1"));

        // Arrows move between cells; Tab and Shift+Tab leave every grid.
        QCOMPARE(press(h, Qt::Key_Down), QStringLiteral("grid1"));
        QCOMPARE(h.grid("grid1")->row(), 2);
        h.clickCell("grid1", 1, 0);
        h.clickCell("grid2", 1, 0);
        h.grid("grid1")->setFocus();
        QCOMPARE(tabs(h, 6), QStringList({"grid3", "grid2", "Command3", "Command4", "Command1", "grid1"}));
        QCOMPARE(tabs(h, 6, Qt::ShiftModifier),
                 QStringList({"Command1", "Command4", "Command3", "grid2", "grid3", "grid1"}));
        QCOMPARE(press(h, Qt::Key_Tab, Qt::ControlModifier), QStringLiteral("grid3"));

        // A view takes the focus to its grid and hides the lists it covers;
        // closing it brings them back and the focus to the list it came from.
        h.button("Command3")->setFocus();
        QCOMPARE(press(h, Qt::Key_Space), QStringLiteral("grid4"));
        QVERIFY(shown(h, "Picture4") && !shown(h, "grid2") && !shown(h, "grid3") && !shown(h, "Label3"));
        QCOMPARE(tabs(h, 3), QStringList({"Command8", "Command1", "grid4"}));
        press(h, Qt::Key_Tab);
        QCOMPARE(press(h, Qt::Key_Return), QStringLiteral("grid1"));
        QVERIFY(!shown(h, "Picture4") && shown(h, "grid2") && shown(h, "grid3") && shown(h, "Label3"));

        h.button("Command4")->setFocus();
        QCOMPARE(press(h, Qt::Key_Return), QStringLiteral("grid5"));
        QVERIFY(shown(h, "Picture5") && !shown(h, "grid1") && !shown(h, "grid3") && shown(h, "grid2"));
        QCOMPARE(tabs(h, 2), QStringList({"Command9", "Command1"}));
        h.button("Command9")->setFocus();
        QCOMPARE(press(h, Qt::Key_Return), QStringLiteral("grid2"));
        QVERIFY(shown(h, "grid1") && shown(h, "grid3") && shown(h, "Label2"));
        QCOMPARE(h.endCount, 0);
    }

    void browsePanel()
    {
        Form1Harness h;
        h.writeFile(QStringLiteral("uploads.log"), "x");
        h.start();
        QVERIFY(QTest::qWaitForWindowActive(&h.form()));
        QCOMPARE(focused(h), QStringLiteral("Command5")); // Analyze is hidden
        QCOMPARE(press(h, Qt::Key_Return), QStringLiteral("Dir1"));
        QCOMPARE(tabs(h, 5), QStringList({"File1", "Command6", "Command7", "Text1", "Drive1"}));
        h.button("Command7")->setFocus();
        QCOMPARE(press(h, Qt::Key_Return), QStringLiteral("Command5")); // Cancel

        h.text1()->setFocus();
        h.text1()->setText(h.folder() + QStringLiteral("/uploads.log"));
        QCOMPARE(press(h, Qt::Key_Return), QStringLiteral("Command1"));
        QVERIFY(!shown(h, "Text1"));
    }
};

QTEST_MAIN(Form1KeyboardTest)
#include "form1_keyboard_test.moc"
