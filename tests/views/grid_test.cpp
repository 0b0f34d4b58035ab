// The grid control: rows, current cell, header row, sorts, widths that fit
// their texts, clicks, the filter, copied rows and what a screen reader sees.
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include "views/grid.h"

using varnoth::Grid;
using varnoth::GridRows;
using varnoth::NumberFormat;

namespace {

GridRows rowsOf(std::initializer_list<std::initializer_list<const char *>> rows, std::size_t columns)
{
    GridRows result(columns);
    for (const auto &row : rows)
        for (const char *cell : row)
            result.cells.emplace_back(cell);
    return result;
}

QStringList column(const Grid &grid, int col)
{
    QStringList texts;
    for (int row = 1; row < grid.rows(); ++row)
        texts << QString::fromStdString(grid.cellUtf8(row, col));
    return texts;
}

QPoint cellCentre(Grid &grid, int row, int col)
{
    return grid.visualRect(grid.model()->index(row - 1, col)).center();
}

} // namespace

class GridTest : public QObject {
    Q_OBJECT

    NumberFormat format_;

private slots:
    void rowCountAppendsAndDrops()
    {
        Grid grid(2, format_);
        grid.setDataRows(rowsOf({{"a", "1"}, {"b", "2"}, {"c", "3"}}, 2));
        grid.setRows(grid.rows() + 1);
        QCOMPARE(grid.rows(), 5);
        QCOMPARE(column(grid, 0), QStringList({"a", "b", "c", ""}));
        grid.setRows(grid.rows() - 2);
        QCOMPARE(column(grid, 0), QStringList({"a", "b"}));
        grid.setRows(2);
        QCOMPARE(grid.rows(), 2);
        QCOMPARE(column(grid, 1), QStringList({"1"}));
        grid.setRows(0); // the header row always stays
        QCOMPARE(grid.rows(), 1);
    }

    void currentCellTextIncludesTheHeaderRow()
    {
        Grid grid(2, format_);
        grid.setRow(0);
        grid.setCol(1);
        grid.setText(QStringLiteral("Uploads:"));
        QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Uploads:"));
        grid.setRow(1);
        grid.setText(QStringLiteral("  spaced \u00e9 "));
        QCOMPARE(grid.text(), QStringLiteral("  spaced \u00e9 "));
        grid.setRow(0);
        QCOMPARE(grid.text(), QStringLiteral("Uploads:"));
    }

    void sortsDataRowsKeepingHeader_data()
    {
        QTest::addColumn<int>("firstCol");
        QTest::addColumn<int>("lastCol");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("names");
        // Numbers compare as numbers (10 after 9), equal keys keep their order.
        QTest::newRow("numbers descending") << 1 << 1 << 2 << QStringList{"c", "a", "b", "d"};
        QTest::newRow("numbers ascending") << 1 << 1 << 1 << QStringList{"d", "a", "b", "c"};
        QTest::newRow("two keys descending") << 1 << 2 << 2 << QStringList{"c", "b", "a", "d"};
        QTest::newRow("text ascending") << 0 << 0 << 1 << QStringList{"a", "b", "c", "d"};
        QTest::newRow("unknown code leaves order") << 1 << 1 << 3 << QStringList{"a", "b", "c", "d"};
    }

    void sortsDataRowsKeepingHeader()
    {
        QFETCH(int, firstCol);
        QFETCH(int, lastCol);
        QFETCH(int, code);
        QFETCH(QStringList, names);
        Grid grid(3, format_);
        grid.setRow(0);
        grid.setText(QStringLiteral("Name:"));
        grid.setDataRows(rowsOf({{"a", "9", "1.00"}, {"b", "9", "2.00"}, {"c", "10", "0.50"}, {"d", "2", "9.00"}}, 3));
        grid.setCol(firstCol);
        grid.setColSel(lastCol);
        grid.sort(code);
        QCOMPARE(column(grid, 0), names);
        QCOMPARE(QString::fromStdString(grid.cellUtf8(0, 0)), QStringLiteral("Name:"));
    }

    // A column keeps its design width while its texts fit and widens to the
    // widest text, header included, when they do not; a column of paths
    // keeps its width, elides, and shows a cut text whole as a tooltip; over
    // other cells the grid's own tooltip shows.
    void columnsFitTheirTexts_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("elides");
        QTest::addColumn<bool>("widens");
        QTest::addColumn<QString>("tooltip");
        const QString design = QStringLiteral("Click Mbytes or Uploads column to sort list or invert sorting");
        QTest::newRow("short value") << "MB:"
                                     << "3.00" << false << false << design;
        QTest::newRow("wide value") << "MB:"
                                    << "108819028.27" << false << true << design;
        QTest::newRow("wide non-ASCII value") << "Nick:" << QStringLiteral("大海大海大海大") << false << true << design;
        QTest::newRow("wide header") << "Upload Time and more:"
                                     << "1" << false << true << design;
        QTest::newRow("long path") << "File:"
                                   << "C:\\share\\a long folder name\\a long file name.avi " << true << false
                                   << "C:\\share\\a long folder name\\a long file name.avi ";
    }

    void columnsFitTheirTexts()
    {
        QFETCH(QString, header);
        QFETCH(QString, cell);
        QFETCH(bool, elides);
        QFETCH(bool, widens);
        QFETCH(QString, tooltip);
        Grid grid(2, format_);
        grid.setToolTip(QStringLiteral("Click Mbytes or Uploads column to sort list or invert sorting"));
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        if (elides)
            grid.setColElides(0);
        grid.setRow(0);
        grid.setText(header);
        grid.setColWidth(0, 750);
        const int design = qRound(750.0 * grid.logicalDpiX() / 1440);
        grid.setDataRows(rowsOf({{"1", "x"}, {cell.toUtf8().constData(), "y"}}, 2));

        QCOMPARE(grid.columnWidth(0) > design, widens);
        const QModelIndex index = grid.model()->index(1, 0);
        const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
        const int room = grid.visualRect(index).width() - 2 * margin;
        const bool whole = grid.fontMetrics().elidedText(cell, Qt::ElideMiddle, room) == cell;
        QCOMPARE(whole, !elides);
        QVERIFY(grid.horizontalHeader()->sectionSizeHint(0) <= grid.columnWidth(0) || elides);

        QHelpEvent help(QEvent::ToolTip, grid.visualRect(index).center(),
                        grid.viewport()->mapToGlobal(grid.visualRect(index).center()));
        QApplication::sendEvent(grid.viewport(), &help);
        QCOMPARE(QToolTip::text(), tooltip);
        QToolTip::hideText();

        // Fewer, narrower rows give the design width back.
        grid.setDataRows(rowsOf({{"1", "x"}}, 2));
        QCOMPARE(grid.columnWidth(0), std::max(design, grid.horizontalHeader()->sectionSizeHint(0)));
    }

    void clickMakesCellCurrentThenNotifies()
    {
        Grid grid(2, format_);
        grid.resize(300, 200);
        grid.setDataRows(rowsOf({{"a", "1"}, {"b", "2"}, {"c", "3"}}, 2));
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        int seenRow = -1;
        int seenCol = -1;
        QSignalSpy spy(&grid, &Grid::cellClicked);
        connect(&grid, &Grid::cellClicked, this, [&] {
            seenRow = grid.row();
            seenCol = grid.col();
        });
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 3, 1));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(seenRow, 3);
        QCOMPARE(seenCol, 1);
        QCOMPARE(grid.text(), QStringLiteral("3"));
        QCOMPARE(grid.colSel(), 1);

        // A header click makes its column current at the current row.
        const QHeaderView *header = grid.horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionSize(0) / 2, header->height() / 2));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(seenRow, 3);
        QCOMPARE(seenCol, 0);

        // Space on the current cell counts as a click; arrows only move.
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(spy.count(), 2);
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(seenRow, 3); // already the last row
        QTest::keyClick(&grid, Qt::Key_Up);
        QTest::keyClick(&grid, Qt::Key_Return);
        QCOMPARE(spy.count(), 4);
        QCOMPARE(seenRow, 2);
        QCOMPARE(seenCol, 0);

        // The program's own changes raise nothing; a disabled grid takes no clicks.
        grid.setRow(1);
        grid.setCol(1);
        grid.sort(2);
        grid.setEnabled(false);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(grid, 2, 0));
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(spy.count(), 4);
    }

    void programMovesDoNotScroll()
    {
        Grid grid(1, format_);
        grid.resize(200, 120);
        GridRows rows(1);
        for (int i = 0; i < 100; ++i)
            rows.cells.push_back(std::to_string(i));
        grid.setDataRows(std::move(rows));
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setRow(grid.rows() - 1);
        QCOMPARE(grid.verticalScrollBar()->value(), 0);
        QCOMPARE(grid.text(), QStringLiteral("99"));
    }

    // The filter narrows the rows shown, letter case ignored (beyond ASCII
    // too); the current cell stays on its row while it is shown; a sort
    // orders the rows shown; an empty filter gives every row back, sorted.
    void filterNarrowsAndRestores()
    {
        Grid grid(2, format_);
        grid.setDataRows(rowsOf({{"Alice", "3"}, {"bob", "2"}, {"ALINA", "1"}, {"Ünal", "5"}}, 2));
        QSignalSpy counts(&grid, &Grid::filterChanged);
        QSignalSpy moves(&grid, &Grid::currentMoved);
        grid.setRow(3);
        grid.setFilter(QStringLiteral("aLi"));
        QCOMPARE(column(grid, 0), QStringList({"Alice", "ALINA"}));
        QCOMPARE(grid.text(), QStringLiteral("ALINA"));
        QCOMPARE(counts.takeLast(), QVariantList({2, 4}));
        QCOMPARE(moves.count(), 1);
        grid.setFilter(QStringLiteral("alin"));
        QCOMPARE(column(grid, 0), QStringList({"ALINA"}));
        QCOMPARE(grid.row(), 1);
        grid.setFilter(QStringLiteral("üN"));
        QCOMPARE(column(grid, 0), QStringList({"Ünal"}));
        grid.setFilter(QStringLiteral("nobody"));
        QCOMPARE(grid.rows(), 1);
        QCOMPARE(grid.row(), 0); // no data row to be on

        grid.setFilter(QStringLiteral("a"));
        grid.setRow(1);
        grid.setCol(1);
        grid.sort(1);
        QCOMPARE(column(grid, 0), QStringList({"ALINA", "Alice", "Ünal"}));
        grid.setFilter(QString());
        QCOMPARE(column(grid, 0), QStringList({"ALINA", "bob", "Alice", "Ünal"}));
        QCOMPARE(counts.takeLast(), QVariantList({4, 4}));
        grid.setFilter(QStringLiteral("B")); // searched in the sorted order
        QCOMPARE(column(grid, 0), QStringList({"bob"}));
    }

    // Rows copied keep their exact texts; a cell that would split a line or
    // a cell is quoted.
    void copiedRowsKeepTheirTexts()
    {
        Grid grid(2, format_);
        grid.setRow(0);
        grid.setText(QStringLiteral("Name:"));
        grid.setCol(1);
        grid.setText(QStringLiteral("Uploads:"));
        grid.setDataRows(rowsOf({{"a\tb", "1"}, {"\"quoted\"", "2"}, {"plain \"q\"", "3"}}, 2));
        grid.selectAll();
        QCOMPARE(QString::fromStdString(grid.selectedRowsText()),
                 QStringLiteral("Name:\tUploads:\n\"a\tb\"\t1\n\"\"\"quoted\"\"\"\t2\nplain \"q\"\t3\n"));
        grid.clearSelection();
        grid.setRow(2);
        QCOMPARE(QString::fromStdString(grid.selectedRowsText()),
                 QStringLiteral("Name:\tUploads:\n\"\"\"quoted\"\"\"\t2\n"));
    }

    // However long a name, its column takes at most 40 % of the grid's width.
    void longTextsStayWithinTheirShare()
    {
        Grid grid(2, format_);
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        grid.setDataRows(rowsOf({{std::string(320, 'n').c_str(), "12345"}}, 2));
        QVERIFY(grid.columnWidth(0) <= grid.viewport()->width() * 2 / 5);
        QVERIFY(grid.columnWidth(0) > grid.viewport()->width() / 3);
    }

    void screenReaderReadsCellsAndHeaders()
    {
        Grid grid(2, format_);
        grid.setAccessibleName(QStringLiteral("Most Accessed Folders:"));
        grid.setRow(0);
        grid.setText(QStringLiteral("Folder:"));
        grid.setDataRows(rowsOf({{"C:\\share", "3"}}, 2));
        grid.show();
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&grid);
        QVERIFY(table && table->tableInterface());
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Most Accessed Folders:"));
        QCOMPARE(table->tableInterface()->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("C:\\share"));
        QCOMPARE(table->tableInterface()->columnDescription(0), QStringLiteral("Folder:"));
    }
};

QTEST_MAIN(GridTest)
#include "grid_test.moc"
