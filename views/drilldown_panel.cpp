#include "drilldown_panel.h"

#include <QLabel>
#include <QPushButton>
#include <string>

#include "analysis/drilldown.h"
#include "elided_label.h"
#include "grid.h"
#include "view_host.h"
#include "wording/display_text.h"
#include "wording/messages.h"
#include "wording/result_cells.h"
#include "wording/window_captions.h"

namespace varnoth {
namespace {

// Reads the rows of one drill-down in the background and shows them when
// the read has ended; a cancelled read gives the list back, and a read
// that fails ends the program with its message.
template <class Rows, class ReadRows, class Cells, class Show, class GiveBack>
void readAndShow(ViewHost &host, ReadRows readRows, Cells cells, Show show, GiveBack giveBack)
{
    auto outcome = std::make_shared<Outcome<Rows>>();
    host.readInBackground(
        [outcome, readRows](const ProgressCallback &progress, std::stop_token stop) {
            *outcome = readRows(progress, stop);
        },
        [&host, outcome, cells, show, giveBack] {
            if (const Rows *rows = completed(*outcome))
                show(cells(*rows));
            else if (std::holds_alternative<Cancelled>(*outcome))
                giveBack();
            else
                host.stopWithMessage(
                    QString::fromStdString(messages::failureMessage(*outcome, messages::Reader::Drilldown)));
        });
}

} // namespace

DrilldownPanel::DrilldownPanel(Kind kind, const Controls &controls, ViewHost &host)
    : kind_(kind)
    , c_(controls)
    , host_(host)
{
}

DrilldownPanel::~DrilldownPanel() = default;

void DrilldownPanel::open()
{
    const bool personal = kind_ == Kind::Personal;
    if (personal && c_.list->col() != 0)
        return;
    host_.showCaption(QString::fromUtf8(personal ? readingPersonalCaption : readingFileCaption));
    c_.list->setEnabled(false);
    if (personal)
        host_.setBusy(true);
    const std::string key = c_.list->textUtf8();
    c_.grid->setRows(2);
    if (personal) {
        c_.grid->setRow(0);
        c_.grid->setCol(0);
        c_.grid->setTextUtf8(personalStatsHeader(key));
    }
    c_.grid->setRow(1);
    c_.Command3->hide();
    c_.Command4->hide();
    const auto shown = [](const std::string &text) { return QString::fromStdString(printable(text)); };
    const QString whole = shown(personal ? personalStatsTitle(key) : fileStatsWholeTitle(key));
    c_.title->setTexts(shown(personal ? personalStatsTitle(key) : fileStatsTitle(key)), whole);
    c_.grid->setAccessibleName(whole);
    c_.panel->setAccessibleName(whole);

    const std::vector<LogExtent> logs = host_.logExtents();
    const AnalysisOptions options = host_.analysisOptions();
    auto show = [this, personal](GridRows rows) {
        const bool found = rows.rowCount() > 0;
        c_.grid->setDataRows(std::move(rows));
        c_.grid->setRow(1);
        if (personal)
            c_.grid->setCol(found ? 1 : 0);
        c_.grid->scrollToTop();
        host_.setBusy(false);
        host_.showCaption(QString::fromUtf8(analyzingCompleteCaption));
        c_.panel->show();
    };
    if (personal) {
        readAndShow<std::vector<PersonalUpload>>(
            host_,
            [logs, key, options](const ProgressCallback &p, std::stop_token stop) {
                return personalRows(logs, key, options, p, stop);
            },
            [options](const std::vector<PersonalUpload> &rows) { return personalCells(rows, options.numberFormat); },
            show, [this] { cancelled(); });
    } else {
        readAndShow<std::vector<FileUpload>>(
            host_,
            [logs, key, options](const ProgressCallback &p, std::stop_token stop) {
                return fileRows(logs, key, options, p, stop);
            },
            [](const std::vector<FileUpload> &rows) { return fileUploadCells(rows); }, show, [this] { cancelled(); });
    }
}

// A view whose read was cancelled is not shown: the list is as it was.
void DrilldownPanel::cancelled()
{
    close();
    host_.setBusy(false);
    host_.showCaption(QString::fromUtf8(analyzingCompleteCaption));
}

bool DrilldownPanel::isOpen() const
{
    return !c_.panel->isHidden();
}

void DrilldownPanel::close()
{
    c_.list->setEnabled(true);
    c_.Command3->show();
    c_.Command4->show();
    c_.panel->hide();
}

} // namespace varnoth
