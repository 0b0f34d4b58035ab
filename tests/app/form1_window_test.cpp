// The window on the desk: resizing and its remembered place, the menus'
// mnemonics and shortcuts, copying rows, the lists' context menu and
// filters, and names shown by the display rule.
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTimer>
#include <QToolTip>

#include "form1_harness.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

// Alice 2 uploads, Cy 1, alice 1, Bob 1.
QByteArray smallLog()
{
    return uploadLine("C:\\share\\one.avi", "Alice", 3000000, "0:01:00") +
           uploadLine("C:\\share\\two.avi", "Cy", 2500000, "0:02:00") +
           uploadLine("C:\\share\\one.avi", "Alice", 1000000, "0:03:00") +
           uploadLine("C:\\share\\one.avi", "alice", 2000000, "0:00:07") +
           uploadLine("C:\\other\\four.avi", "Bob", 500000, "0:00:02");
}

void analyse(Form1Harness &h, const QByteArray &content, const QString &name = QStringLiteral("uploads.log"))
{
    const QString log = h.writeFile(name, content);
    h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 0 \r\n");
    h.start();
    QVERIFY(QTest::qWaitForWindowActive(&h.form()));
    h.click("Command1");
}

// Where every control of the design stands.
QMap<QString, QRect> places(Form1Harness &h)
{
    static const QRegularExpression design(QStringLiteral("^(Label|Command|grid|Picture|Pohja|Line|Text)\\d*$"));
    QMap<QString, QRect> found;
    for (QWidget *control : h.form().findChildren<QWidget *>())
        if (design.match(control->objectName()).hasMatch())
            found[control->objectName()] = control->geometry();
    return found;
}

QStringList names(Form1Harness &h)
{
    return h.column("grid1", 0).mid(1);
}

// Chooses the action named text from the context menu that opens next.
void chooseFromNextMenu(QObject *context, const QString &text, QStringList *offered = nullptr)
{
    QTimer::singleShot(50, context, [text, offered] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions()) {
            if (offered && !action->isSeparator())
                *offered << action->text();
            if (action->text() == text)
                menu->setActiveAction(action);
        }
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

void contextMenu(Form1Harness &h, const char *gridName, int row, int col)
{
    varnoth::Grid *grid = h.grid(gridName);
    const QPoint at = grid->visualRect(grid->model()->index(row - 1, col)).center();
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &event);
    h.waitForRead();
}

} // namespace

class Form1WindowTest : public QObject {
    Q_OBJECT

private slots:
    // Larger, the lists and the views' grids take the room, the summary
    // moves down as a block and the command strip stays; back at the design
    // size every control is at its design place. Size and maximised state
    // come back at the next start.
    void resizingGrowsTheListsAndIsRemembered()
    {
        Form1Harness h;
        analyse(h, smallLog());
        const QMap<QString, QRect> design = places(h);
        const QSize designSize = h.form().size();
        h.form().resize(designSize + QSize(400, 300));
        QTRY_COMPARE(h.find<QScrollArea>("scroller")->widget()->size(), QSize(1396, 869));
        const QMap<QString, QRect> large = places(h);
        int listWidths = 0;
        for (const char *list : {"grid1", "grid3", "grid2"}) {
            QVERIFY(large[list].width() > design[list].width());
            QCOMPARE(large[list].height(), design[list].height() + 300);
            listWidths += large[list].width() - design[list].width();
        }
        QCOMPARE(listWidths, 400);
        QCOMPARE(large["grid4"].size(), design["grid4"].size() + QSize(400 - (large["grid1"].width() - 282), 300));
        QCOMPARE(large["grid5"].size(), design["grid5"].size() + QSize(large["grid2"].x() - 578, 300));
        for (const char *summary : {"Label1", "Label12", "Label19", "Command3"})
            QCOMPARE(large[summary], design[summary].translated(0, 300));
        QCOMPARE(large["Command4"], design["Command4"].translated(400, 300));
        for (const char *strip : {"Command1", "Label9", "Label5", "Picture1"})
            QCOMPARE(large[strip], design[strip]);
        // The name column takes the list's room, the figures beside it stay whole.
        varnoth::Grid *grid1 = h.grid("grid1");
        QVERIFY(grid1->columnWidth(0) > 100);
        QVERIFY(grid1->columnViewportPosition(3) + grid1->columnWidth(3) <= grid1->viewport()->width());

        h.form().resize(designSize);
        QTRY_COMPARE(places(h), design);

        h.form().resize(1200, 700);
        h.form().close();
        h.start();
        QCOMPARE(h.form().size(), QSize(1200, 700));
        h.form().showMaximized();
        QTRY_VERIFY(h.form().isMaximized());
        h.form().close();
        h.start();
        QVERIFY(h.form().isMaximized());
    }

    // Each menu's mnemonics are unique; Ctrl+E, Ctrl+Q and F1 are shown on
    // their items. Ctrl+Q ends the program as Exit before a run and as Quit
    // (writing the settings file) after one.
    void menusAndShortcuts()
    {
        Form1Harness h;
        const QString log = h.writeFile(QStringLiteral("uploads.log"), smallLog());
        const QByteArray settings = "Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 0 \r\n";
        h.writeSettings(settings);
        h.start();
        QVERIFY(QTest::qWaitForWindowActive(&h.form()));
        const auto mnemonic = [](const QString &text) {
            const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
            return at < 0 ? QChar() : text.at(at + 1).toLower();
        };
        QList<QAction *> menus = h.form().menuBar()->actions();
        menus.prepend(nullptr); // the menu bar's own titles
        for (QAction *menu : menus) {
            const QList<QAction *> items = menu ? menu->menu()->actions() : h.form().menuBar()->actions();
            QList<QChar> letters;
            for (QAction *item : items) {
                if (item->isSeparator())
                    continue;
                QVERIFY2(!mnemonic(item->text()).isNull(), qPrintable(item->text()));
                QVERIFY2(!letters.contains(mnemonic(item->text())), qPrintable(item->text()));
                letters << mnemonic(item->text());
            }
        }
        QCOMPARE(h.find<QAction>("exportvalikko")->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        QCOMPARE(h.find<QAction>("exitvalikko")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        QCOMPARE(h.find<QAction>("aboutvalikko")->shortcut(), QKeySequence(QStringLiteral("F1")));

        QTest::keyClick(&h.form(), Qt::Key_F1);
        QCOMPARE(h.messages.size(), 1);
        QVERIFY(h.messages.first().startsWith(QStringLiteral("Varnoth v. 1.0")));
        QTest::keyClick(&h.form(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(h.endCount, 1);
        QCOMPARE(h.readSettings(), settings); // as Exit: nothing written

        h.click("Command1");
        QTest::keyClick(&h.form(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(h.endCount, 2);
        QCOMPARE(h.readSettings(), "Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 5 \r\n"); // as Quit
    }

    // Ctrl+C copies the selected rows with the header line, Ctrl+A selects
    // every row; the context menu copies all rows and opens the view of the
    // row under the pointer.
    void copyAndContextMenu()
    {
        Form1Harness h;
        analyse(h, smallLog());
        varnoth::Grid *grid1 = h.grid("grid1");
        const QString header = QStringLiteral("Name:\tUploads:\tMbytes:\tUpload Time:\n");
        h.clickCell("grid1", 1, 0);
        QTest::mouseClick(grid1->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          grid1->visualRect(grid1->model()->index(1, 1)).center());
        QTest::keyClick(grid1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 header + QStringLiteral("Alice\t2\t4.00\t00:04:00\nCy\t1\t2.50\t00:02:00\n"));
        QTest::keyClick(grid1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(grid1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().count(QLatin1Char('\n')), 5);

        QStringList offered;
        chooseFromNextMenu(this, QStringLiteral("Copy &all rows"), &offered);
        contextMenu(h, "grid3", 1, 0);
        QCOMPARE(offered, QStringList({"&Copy", "Copy &all rows", "&Export this list…"}));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Folder:\tAccessed:\nC:\\share\t4\nC:\\other\t1\n"));

        offered.clear();
        const QString show = QStringLiteral("&Show personal stats for Cy");
        chooseFromNextMenu(this, show, &offered);
        contextMenu(h, "grid1", 2, 2);
        QCOMPARE(offered, QStringList({"&Copy", "Copy &all rows", show, "&Export this list…"}));
        QVERIFY(h.find<QWidget>("Picture4")->isVisible());
        QCOMPARE(h.label("Label21")->text(), QStringLiteral("Stats for : Cy"));
        QCOMPARE(h.column("grid4", 0), QStringList({"Files Uploaded To Cy", "C:\\share\\two.avi "}));
    }

    // The filter narrows a list without reading the log again; sorting and
    // the Show… buttons work on the rows shown; Esc gives the list back.
    void filterNarrowsAndRestores()
    {
        Form1Harness h;
        analyse(h, smallLog());
        auto *field = h.find<QLineEdit>("grid1Filter");
        h.grid("grid2")->setFocus();
        QTest::keyClick(&h.form(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(h.form().focusWidget(), h.find<QWidget>("grid2Filter"));
        h.grid("grid1")->setFocus();
        QTest::keyClick(&h.form(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(h.form().focusWidget(), field);

        QTest::keyClicks(field, QStringLiteral("ALI"));
        QCOMPARE(names(h), QStringList({"Alice", "alice"}));
        QCOMPARE(h.label("grid1FilterCount")->text(), QStringLiteral("2 of 4"));
        QVERIFY(!h.form().reading());
        h.clickCell("grid1", 2, 0);
        QCOMPARE(h.button("Command3")->text(), QStringLiteral("Show personal stats for alice"));
        h.click("Command3");
        QCOMPARE(h.column("grid4", 2), QStringList({"Upload Time:", "0:00:07"}));
        h.click("Command8");

        h.clickCell("grid1", 0, 1); // ascending by uploads, the filtered rows only
        h.clickCell("grid1", 0, 1);
        QCOMPARE(names(h), QStringList({"alice", "Alice"}));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(names(h), QStringList({"Cy", "alice", "Bob", "Alice"}));
        QVERIFY(!h.label("grid1FilterCount")->isVisible());
        QCOMPARE(h.form().focusWidget(), h.grid("grid1"));
    }

    // Wherever a name or path from a log is shown, a right-to-left override
    // is shown as a visible replacement; the data keeps the exact text.
    void namesAreShownByTheDisplayRule()
    {
        Form1Harness h;
        const QString nick = QStringLiteral("photo\u202Egpj.exe") + QString(200, QLatin1Char('x'));
        analyse(h, uploadLine("C:\\share\\a.avi", nick, 1000000, "0:01:00"), QStringLiteral("up\u202Eloads.log"));
        varnoth::Grid *grid1 = h.grid("grid1");
        const QModelIndex cell = grid1->model()->index(0, 0);
        h.clickCell("grid1", 1, 0);
        QHelpEvent help(QEvent::ToolTip, grid1->visualRect(cell).center(),
                        grid1->viewport()->mapToGlobal(grid1->visualRect(cell).center()));
        QApplication::sendEvent(grid1->viewport(), &help);
        const QString cellTip = QToolTip::text();
        QToolTip::hideText();
        const QString pathLabel = h.label("Label9")->text();
        const QString command3 = h.button("Command3")->text();
        h.click("Command3");
        QCOMPARE(h.grid("grid4")->rows(), 2); // the view matched the exact name
        const QString name = QStringLiteral("photo\uFFFDgpj.exe");
        const struct {
            const char *where;
            QString shown;
            QString expected;
        } places[] = {
            {"grid cell", cell.data().toString(), name},
            {"grid cell tooltip", cellTip, name + QString(200, QLatin1Char('x'))},
            {"log path caption", pathLabel, QStringLiteral("up\uFFFDloads.log")},
            {"Show button", command3, name},
            {"view title", h.label("Label21")->text(), name},
            {"view title tooltip", h.label("Label21")->toolTip(), name + QString(200, QLatin1Char('x'))},
            {"view header", h.grid("grid4")->model()->headerData(0, Qt::Horizontal).toString(), name},
            {"view's accessible name", h.grid("grid4")->accessibleName(), name},
        };
        for (const auto &place : places) {
            QVERIFY2(place.shown.contains(place.expected), place.where);
            QVERIFY2(!place.shown.contains(QChar(0x202E)), place.where);
        }
        h.click("Command8");
        QTest::keyClick(grid1, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QApplication::clipboard()->text().contains(nick));
    }
};

QTEST_MAIN(Form1WindowTest)
#include "form1_window_test.moc"
