// The window as a keyboard user meets it: the tab order, Tab leaving each
// grid, where the focus goes when views and panels open and close, the lists
// a view covers being hidden from screen readers, keyboard moves arming the
// Show… buttons, Enter and Esc in the browse panel and the views.
#include <QListWidget>
#include <algorithm>

#include "app/folder_list.h"
#include "form1_harness.h"

using varnoth::Grid;
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
        for (const char *list : {"grid1", "grid2", "grid3"}) // each list starts at its first row
            QCOMPARE(h.grid(list)->row(), 1);

        // Arrows move between cells; Tab, Shift+Tab and Ctrl+Tab leave every
        // grid, each list coming after its filter field.
        QCOMPARE(press(h, {Qt::Key_Down}), QStringList({"grid1"}));
        QCOMPARE(h.grid("grid1")->row(), 2);
        h.clickCell("grid1", 1, 0);
        h.clickCell("grid2", 1, 0);
        h.grid("grid1")->setFocus();
        QCOMPARE(press(h, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab,
                           Qt::Key_Tab, Qt::Key_Tab}),
                 QStringList({"grid3Filter", "grid3", "grid2Filter", "grid2", "Command3", "Command4", "Command1",
                              "grid1Filter", "grid1"}));
        QCOMPARE(press(h, {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab}, Qt::ShiftModifier),
                 QStringList({"grid1Filter", "Command1", "Command4", "Command3", "grid2"}));
        QCOMPARE(press(h, {Qt::Key_Tab}, Qt::ControlModifier), QStringList({"Command3"}));

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

        // Esc closes a view as Close Stats does.
        h.button("Command4")->setFocus();
        QCOMPARE(press(h, {Qt::Key_Return, Qt::Key_Escape}), QStringList({"grid5", "grid2"}));
        QVERIFY(!shown(h, {"Picture5"}) && shown(h, {"grid1", "Command3", "Command4"}));
        QCOMPARE(h.endCount, 0);
    }

    // Every keyboard move of the current cell (arrows, Home/End, Page keys,
    // type-ahead) leaves the Show… button naming the row its view opens.
    void keyboardMovesArmTheButtons()
    {
        Form1Harness h;
        QByteArray log;
        for (const char *nick : {"lasse_b", "Moomin", "Snufkin", "Sniff"})
            log += uploadLine(QStringLiteral("C:\\share\\%1.avi").arg(QLatin1String(nick)), QLatin1String(nick),
                              1000000, "0:01:00");
        const QString path = h.writeFile(QStringLiteral("uploads.log"), log);
        h.writeSettings("Quillon ini file 1\r\n" + path.toUtf8() + "\r\n 0 \r\n");
        h.start();
        h.click("Command1");
        Grid *grid1 = h.grid("grid1");
        QPushButton *command3 = h.button("Command3");
        grid1->setFocus();
        const auto caption = [&](std::initializer_list<Qt::Key> keys, Qt::KeyboardModifiers modifiers = {}) {
            press(h, keys, modifiers);
            return command3->isEnabled() ? command3->text() : QStringLiteral("(waiting)");
        };
        QCOMPARE(caption({Qt::Key_Left}), QStringLiteral("Show personal stats for lasse_b"));
        QCOMPARE(caption({Qt::Key_Down}), QStringLiteral("Show personal stats for Moomin"));
        QCOMPARE(caption({Qt::Key_PageDown}), QStringLiteral("Show personal stats for Sniff"));
        QCOMPARE(caption({Qt::Key_Home}, Qt::ControlModifier), QStringLiteral("Show personal stats for lasse_b"));
        QCOMPARE(caption({Qt::Key_End}), QStringLiteral("(waiting)"));
        QCOMPARE(caption({Qt::Key_Home, Qt::Key_S, Qt::Key_N, Qt::Key_U, Qt::Key_F}),
                 QStringLiteral("Show personal stats for Snufkin"));
        h.press("Command3");
        h.waitForRead();
        QCOMPARE(h.label("Label21")->text(), QStringLiteral("Stats for : Snufkin"));
        QCOMPARE(press(h, {Qt::Key_Escape}), QStringList({"grid1"}));

        Grid *grid2 = h.grid("grid2");
        grid2->setFocus();
        press(h, {Qt::Key_Left, Qt::Key_Down});
        QCOMPARE(h.button("Command4")->text(), QStringLiteral("Show file stats for ") + grid2->text());
        press(h, {Qt::Key_Right});
        QVERIFY(!h.button("Command4")->isEnabled());
    }

    // Enter on a file does what OK does, Esc what Cancel does; type-ahead in
    // the folder list meets the names, not their indentation.
    void browsePanelKeys()
    {
        Form1Harness h;
        const QString log = h.writeFile(QStringLiteral("logs/uploads.log"), "x");
        h.writeFile(QStringLiteral("logs/zeta/x.log"), "x");
        h.start();
        h.click("Command5");
        auto *dir1 = h.find<varnoth::FolderList>("Dir1");
        dir1->setPath(h.folder().toStdString());
        dir1->setFocus();
        QTest::keyClicks(dir1, QStringLiteral("lo"));
        QCOMPARE(dir1->currentItem()->text(), QStringLiteral("logs"));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(h.find<QListWidget>("File1")->count(), 1);

        QCOMPARE(press(h, {Qt::Key_Escape}), QStringList({"Command5"}));
        QVERIFY(!shown(h, {"Picture3"}) && h.button("Command5")->isEnabled());
        h.click("Command5");
        auto *file1 = h.find<QListWidget>("File1");
        file1->setFocus();
        QCOMPARE(press(h, {Qt::Key_Return}), QStringList({"Command1"})); // on the file the focus is on
        QVERIFY(!shown(h, {"Picture3"}));
        QCOMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file : ") + log);
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
