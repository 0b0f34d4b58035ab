// varnoth-grid-bench [ROWS]: fills one grid with a million rows (or ROWS),
// sorts it and scrolls through it, all through the table model, and prints
// the times. Run it offscreen: QT_QPA_PLATFORM=offscreen build/varnoth-grid-bench
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "views/grid.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    if (count < 1) {
        std::fprintf(stderr, "usage: varnoth-grid-bench [ROWS]\n");
        return 2;
    }
    varnoth::NumberFormat format;
    varnoth::Grid grid(2, format);
    grid.resize(400, 300);
    grid.show();

    varnoth::GridRows rows(2);
    rows.cells.reserve(2 * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.cells.push_back("C:\\share\\folder " + std::to_string(i % 977) + "\\file " + std::to_string(i) + ".avi ");
        rows.cells.push_back(std::to_string((static_cast<long long>(i) * 7919) % 1000 + 1));
    }

    QElapsedTimer timer;
    timer.start();
    grid.setDataRows(std::move(rows));
    const qint64 fill = timer.restart();
    grid.setCol(1);
    grid.sort(2);
    const qint64 sort = timer.restart();
    for (int step = 0; step <= 20; ++step) {
        grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum() * step / 20);
        grid.viewport()->repaint();
    }
    const qint64 scroll = timer.restart();
    std::printf("%d rows: fill %lld ms, sort %lld ms, 21 scroll repaints %lld ms\n", count,
                static_cast<long long>(fill), static_cast<long long>(sort), static_cast<long long>(scroll));
    const bool sorted = grid.cellUtf8(1, 1) == "1000" && grid.cellUtf8(count, 1) == "1";
    return sorted ? 0 : 1;
}
