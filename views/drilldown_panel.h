#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "analysis/log_tally.h"
#include "wording/grid_rows.h"

#include <functional>

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
    // Brings an open view up to the results' logs as they are now, in
    // place: where the logs only grew, it reads on from where it stopped.
    void reload();

private:
    // Reads the rows of the logs (from where `logs` say) for key_ in the
    // background, then calls show with them; a cancelled read calls
    // cancelled, a failed one shows its message.
    void read(std::vector<LogExtent> logs, std::function<void(GridRows)> show, std::function<void()> cancelled,
              bool failureEnds);
    void cancelled();

    Kind kind_;
    Controls c_;
    ViewHost &host_;
    std::string key_;                 // the nick or file shown
    std::vector<LogExtent> logsRead_; // how far each log was read for the rows shown
    int generation_ = -1;             // the host's counts generation they were read in
};

} // namespace varnoth
