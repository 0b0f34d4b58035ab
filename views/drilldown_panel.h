#pragma once

#include <QObject>

class QPushButton;
class QWidget;

namespace varnoth {

class ElidedLabel;
class Grid;
class ViewHost;

// A drill-down view: every upload of one downloader (opened by Command3 for
// the nick current in grid1, shown in grid4 on Picture4) or of one file
// (opened by Command4 for the text current in grid2, shown in grid5 on
// Picture5), read again from the log in the background. Close Stats hides
// the panel and gives the list back. The title and header show the name by
// the display rule for names; the log is matched against its exact text.
class DrilldownPanel : public QObject {
    Q_OBJECT

public:
    enum class Kind { Personal, File };

    struct Controls {
        QWidget *panel;     // Picture4 or Picture5
        ElidedLabel *title; // Label21 or Label22
        Grid *grid;         // grid4 or grid5
        Grid *list;         // grid1 or grid2, disabled while the panel is open
        QPushButton *Command3;
        QPushButton *Command4;
    };

    DrilldownPanel(Kind kind, const Controls &controls, ViewHost &host);
    ~DrilldownPanel() override;

    void open();
    void close();
    bool isOpen() const;

private:
    void cancelled();

    Kind kind_;
    Controls c_;
    ViewHost &host_;
};

} // namespace varnoth
