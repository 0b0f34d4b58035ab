#include "drilldown_panel.h"

#include <QLabel>
#include <QPushButton>
#include <string>
#include <variant>

#include "analysis/drilldown.h"
#include "elided_label.h"
#include "grid.h"
#include "view_host.h"
#include "shown_text.h"
#include "wording/messages.h"
#include "wording/result_cells.h"
#include "wording/window_captions.h"

namespace varnoth {
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
    const QString whole = shownText(personal ? personalStatsTitle(key) : fileStatsWholeTitle(key));
    c_.title->setTexts(shownText(personal ? personalStatsTitle(key) : fileStatsTitle(key)), whole);
    c_.grid->setAccessibleName(whole);
    c_.panel->setAccessibleName(whole);

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
    key_ = key;
    read(
        host_.logExtents(), show, [this] { cancelled(); }, true);
}

void DrilldownPanel::reload()
{
    if (!isOpen())
        return;
    std::vector<LogExtent> logs = host_.logExtents();
    // The logs only grew since the rows were read: the rows read before
    // stay, and the read goes on from where it stopped.
    bool readOn = generation_ == host_.countsGeneration() && logs.size() == logsRead_.size();
    for (std::size_t i = 0; readOn && i < logs.size(); ++i)
        readOn = logsRead_[i].bytes == logsRead_[i].lineEnd && logs[i].bytes >= logsRead_[i].bytes &&
                 logsRead_[i].bytes != UINT64_MAX;
    if (readOn)
        for (std::size_t i = 0; i < logs.size(); ++i)
            logs[i].from = logsRead_[i].bytes;
    read(
        logs,
        [this, readOn](GridRows rows) {
            if (readOn) {
                GridRows all = c_.grid->dataRows();
                all.cells.insert(all.cells.end(), std::make_move_iterator(rows.cells.begin()),
                                 std::make_move_iterator(rows.cells.end()));
                rows = std::move(all);
            }
            c_.grid->refreshDataRows(std::move(rows));
        },
        [] {}, false);
}

void DrilldownPanel::read(std::vector<LogExtent> logs, std::function<void(GridRows)> show,
                          std::function<void()> whenCancelled, bool failureEnds)
{
    const AnalysisOptions options = host_.analysisOptions();
    const std::string key = key_;
    const int generation = host_.countsGeneration();
    auto cells = std::make_shared<GridRows>();
    auto message = std::make_shared<std::string>();
    auto wasCancelled = std::make_shared<bool>(false);
    const bool personal = kind_ == Kind::Personal;
    host_.readInBackground(
        [=](const ProgressCallback &progress, std::stop_token stop) {
            // The rows become cell texts here, off the window's thread.
            auto take = [&](const auto &outcome, auto toCells) {
                if (const auto *rows = completed(outcome))
                    *cells = toCells(*rows);
                else if (std::holds_alternative<Cancelled>(outcome))
                    *wasCancelled = true;
                else
                    *message = messages::failureMessage(outcome, messages::Reader::Drilldown);
            };
            if (personal)
                take(personalRows(logs, key, options, progress, stop), [&](const std::vector<PersonalUpload> &rows) {
                    return personalCells(rows, options.numberFormat);
                });
            else
                take(fileRows(logs, key, options, progress, stop),
                     [](const std::vector<FileUpload> &rows) { return fileUploadCells(rows); });
        },
        [=, this] {
            if (*wasCancelled) {
                whenCancelled();
            } else if (!message->empty()) {
                if (failureEnds) {
                    host_.stopWithMessage(QString::fromStdString(*message));
                } else {
                    close();
                    host_.showMessage(QString::fromStdString(*message));
                }
            } else {
                std::vector<LogExtent> read = logs;
                for (LogExtent &extent : read)
                    extent.from = 0;
                logsRead_ = std::move(read);
                generation_ = generation;
                show(std::move(*cells));
            }
        });
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
