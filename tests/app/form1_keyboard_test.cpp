// The window as a keyboard user meets it: the tab order, Tab leaving each
// grid, where the focus goes when views and panels open and close, and the
// lists a view covers being hidden from screen readers.
#include <algorithm>

#include "form1_harness.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

// Presses keys on the focused control, one after the other, each time until
// any read it started has ended; returns the names of the controls that have
// the focus after each.
QStringList press(Form1Harness &h, std::initializer_list<Qt::Key> keys, Qt::KeyboardModifiers modifiers = {})
{
    QStringList focused;
    for (Qt::Key key : keys) {
        QTest::keyClick(h.form().focusWidget(), key, modifiers);
        h.waitForRead();
        focused << h.form().focusWidget()->objectName();
    }
    return focused;
}

bool shown(Form1Harness &h, std::initializer_list<const char *> names)
{
    return std::all_of(names.begin(), names.end(),
                       [&](const char *name) { return h.find<QWidget>(name)->isVisible(); });
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
        QCOMPARE(press(h, {Qt::Key_Return}), QStringList({"grid1"})); // Enter presses Analyze; the run ends in grid1
        QCOMPARE(h.button("Command1")->text(), QStringLiteral("Quit"));

        // Arrows move between cells; Tab, Shift+Tab and Ctrl+Tab leave every grid.
        QCOMPARE(press(h, {Qt::Key_Down}), QStringList({"grid1"}));
        QCOMPARE(h.grid("grid1")->row(), 2);
        h.clickCell("grid1", 1, 0);
        h.clickCell("grid2", 1, 0);
        h.grid("grid1")->setFocus();
        QCOMPARE(press(h, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}),
                 QStringList({"grid3", "grid2", "Command3", "Command4", "Command1", "grid1"}));
        QCOMPARE(press(h, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}, Qt::ShiftModifier),
                 QStringList({"Command1", "Command4", "Command3", "grid2", "grid3"}));
        QCOMPARE(press(h, {Qt::Key_Tab}, Qt::ControlModifier), QStringList({"grid2"}));

        // A view takes the focus to its grid and hides the lists it covers;
        // closing it brings them back and the focus to the list it came from.
        h.button("Command3")->setFocus();
        QCOMPARE(press(h, {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}),
                 QStringList({"grid4", "Command8", "Command1", "grid4"}));
        QVERIFY(shown(h, {"Picture4"}) && !h.grid("grid2")->isVisible() && !h.grid("grid3")->isVisible());
        QCOMPARE(press(h, {Qt::Key_Tab, Qt::Key_Return}), QStringList({"Command8", "grid1"}));
        QVERIFY(!shown(h, {"Picture4"}) && shown(h, {"grid2", "grid3", "Label3", "Label8"}));

        h.button("Command4")->setFocus();
        QCOMPARE(press(h, {Qt::Key_Return, Qt::Key_Tab}), QStringList({"grid5", "Command9"}));
        QVERIFY(shown(h, {"Picture5", "grid2"}) && !h.grid("grid1")->isVisible() && !h.grid("grid3")->isVisible());
        QCOMPARE(press(h, {Qt::Key_Return}), QStringList({"grid2"}));
        QVERIFY(shown(h, {"grid1", "grid3", "Label2"}));
        QCOMPARE(h.endCount, 0);
    }

    void browsePanelAndPathField()
    {
        Form1Harness h;
        h.writeFile(QStringLiteral("uploads.log"), "x");
        h.start();
        QVERIFY(QTest::qWaitForWindowActive(&h.form()));
        QCOMPARE(h.form().focusWidget()->objectName(), QStringLiteral("Command5")); // Analyze is hidden
        QCOMPARE(press(h, {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}),
                 QStringList({"Dir1", "File1", "Command6", "Command7", "Text1", "Drive1"}));
        h.button("Command7")->setFocus();
        QCOMPARE(press(h, {Qt::Key_Return}), QStringList({"Command5"})); // Cancel

        h.text1()->setFocus();
        h.text1()->setText(h.folder() + QStringLiteral("/uploads.log"));
        QCOMPARE(press(h, {Qt::Key_Return}), QStringList({"Command1"}));
    }
};

QTEST_MAIN(Form1KeyboardTest)
#include "form1_keyboard_test.moc"
