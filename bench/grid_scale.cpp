// varnoth-grid-bench [ROWS]: fills one grid with a million rows (or ROWS),
// sorts it, scrolls through it and filters it keystroke by keystroke, all
// through the table model, and prints the times. Run it offscreen:
// QT_QPA_PLATFORM=offscreen build/varnoth-grid-bench
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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
    grid.setFilterable(true);
    grid.resize(400, 300);
    grid.show();

    varnoth::GridRows rows(2);
    rows.cells.reserve(2 * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        // One path in ten is not plain ASCII, as in a log of music.
        const std::string folder = i % 10 == 0 ? "D:\\Musik\\Die \xC3\x84rzte " : "C:\\share\\folder ";
        rows.cells.push_back(folder + std::to_string(i % 977) + "\\file " + std::to_string(i) + ".avi ");
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

    // The filter field, keystroke by keystroke: typing narrows (each text
    // searches the rows the one before showed), a deletion searches every
    // row again, a letter beyond ASCII compares the paths that are not
    // plain ASCII, and the empty field gives every row back. Each time the
    // rows shown are painted.
    const char *const keystrokes[] = {"F",       "Fi",     "Fil", "File",     "File 9",    "File 99", "File 999",
                                      "File 99", "File 9", "X",   "\xC3\xA4", "\xC3\xA4r", ""};
    std::vector<qint64> times;
    std::string shown;
    for (const char *text : keystrokes) {
        timer.restart();
        grid.setFilter(QString::fromUtf8(text));
        grid.viewport()->repaint();
        times.push_back(timer.nsecsElapsed() / 1000);
        shown += " \"" + std::string(text) + "\" " + std::to_string(grid.shownRowCount());
    }
    std::printf("filter keystrokes (microseconds):");
    for (const qint64 time : times)
        std::printf(" %lld", static_cast<long long>(time));
    std::sort(times.begin(), times.end());
    std::printf("\n  median %.1f ms, slowest %.1f ms; rows shown:%s\n", times[times.size() / 2] / 1000.0,
                times.back() / 1000.0, shown.c_str());
    const bool filtered = grid.shownRowCount() == count;

    // Type-ahead in the path column for a text no row begins with: every
    // row is read.
    grid.setCol(0);
    timer.restart();
    grid.keyboardSearch(QStringLiteral("Z"));
    std::printf("type-ahead through every row: %.1f ms\n", timer.nsecsElapsed() / 1e6);
    return sorted && filtered ? 0 : 1;
}
