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
// the read has ended; a read that fails ends the program with its message.
template <class Rows, class ReadRows, class Cells, class Show>
void readAndShow(ViewHost &host, ReadRows readRows, Cells cells, Show show)
{
    auto outcome = std::make_shared<Outcome<Rows>>();
    host.readInBackground([outcome, readRows](const ProgressCallback &progress) { *outcome = readRows(progress); },
                          [&host, outcome, cells, show] {
                              if (const Rows *rows = completed(*outcome))
                                  show(cells(*rows));
                              else
                                  host.stopWithMessage(QString::fromStdString(
                                      messages::failureMessage(*outcome, messages::Reader::Drilldown)));
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

    const LogInput log = host_.logInput();
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
            host_, [log, key, options](const ProgressCallback &p) { return personalRows(log, key, options, p); },
            [options](const std::vector<PersonalUpload> &rows) { return personalCells(rows, options.numberFormat); },
            show);
    } else {
        readAndShow<std::vector<FileUpload>>(
            host_, [log, key, options](const ProgressCallback &p) { return fileRows(log, key, options, p); },
            [](const std::vector<FileUpload> &rows) { return fileUploadCells(rows); }, show);
    }
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
