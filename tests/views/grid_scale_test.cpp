// A million rows in one grid: filled, sorted and scrolled through the
// model, never a widget per cell. Prints the times (no timed assertion).
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>

#include "views/grid.h"

using varnoth::Grid;
using varnoth::GridRows;

class GridScaleTest : public QObject {
    Q_OBJECT

private slots:
    void millionRows()
    {
        const int count =
            qEnvironmentVariableIntValue("GRID_ROWS") > 0 ? qEnvironmentVariableIntValue("GRID_ROWS") : 1000000;
        varnoth::NumberFormat format;
        Grid grid(2, format);
        grid.resize(400, 300);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        GridRows rows(2);
        rows.cells.reserve(2 * count);
        for (int i = 0; i < count; ++i) {
            rows.cells.push_back("C:\\share\\folder " + std::to_string(i % 977) + "\\file " + std::to_string(i) +
                                 ".avi ");
            rows.cells.push_back(std::to_string((static_cast<long long>(i) * 7919) % 1000 + 1));
        }

        QElapsedTimer timer;
        timer.start();
        grid.setDataRows(std::move(rows));
        QCoreApplication::processEvents();
        const qint64 fill = timer.restart();

        grid.setCol(1);
        grid.sort(2);
        QCoreApplication::processEvents();
        const qint64 sort = timer.restart();

        for (int step = 0; step <= 20; ++step) {
            grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum() * step / 20);
            grid.viewport()->repaint();
        }
        const qint64 scroll = timer.restart();

        qInfo("1,000,000 rows: fill %lld ms, sort %lld ms, 21 scroll repaints %lld ms", fill, sort, scroll);
        QCOMPARE(grid.rows(), count + 1);
        QCOMPARE(grid.cellUtf8(1, 1), std::string("1000"));
        QCOMPARE(grid.cellUtf8(count, 1), std::string("1"));
    }
};

QTEST_MAIN(GridScaleTest)
#include "grid_scale_test.moc"
