#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace varnoth {

class Grid;
class ViewHost;

// Every upload of one file, read again from the log: opened by Command4 for
// the text current in grid2, shown in grid5 on Picture5, closed by Command9.
class FileStatsView {
public:
    struct Controls {
        QWidget *Picture5;
        QLabel *Label22;
        Grid *grid5;
        Grid *grid2;
        QPushButton *Command3;
        QPushButton *Command4;
    };

    FileStatsView(const Controls &controls, ViewHost &host);

    void open();
    void close();

private:
    Controls c_;
    ViewHost &host_;
};

} // namespace varnoth
