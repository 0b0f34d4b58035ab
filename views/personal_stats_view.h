#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace varnoth {

class Grid;
class ViewHost;

// Every upload to one downloader, read again from the log: opened by
// Command3 for the nick current in grid1, shown in grid4 on Picture4, closed
// by Command8.
class PersonalStatsView {
public:
    struct Controls {
        QWidget *Picture4;
        QLabel *Label21;
        Grid *grid4;
        Grid *grid1;
        QPushButton *Command3;
        QPushButton *Command4;
    };

    PersonalStatsView(const Controls &controls, ViewHost &host);

    void open();
    void close();

private:
    Controls c_;
    ViewHost &host_;
};

} // namespace varnoth
