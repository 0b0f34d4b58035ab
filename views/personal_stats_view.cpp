#include "personal_stats_view.h"

#include <QLabel>
#include <QPushButton>
#include <string>

#include "analysis/drilldown.h"
#include "grid.h"
#include "input_blocker.h"
#include "view_host.h"
#include "view_progress.h"

namespace varnoth {

PersonalStatsView::PersonalStatsView(const Controls &controls, ViewHost &host)
    : c_(controls)
    , host_(host)
{
}

void PersonalStatsView::open()
{
    if (c_.grid1->col() != 0)
        return;
    host_.showCaption(QStringLiteral("Varnoth : Analyzing. - Reading Personal Information -"));
    c_.grid1->setEnabled(false);
    host_.setBusy(true);
    const std::string nick = c_.grid1->textUtf8();

    c_.grid4->setRows(2);
    c_.grid4->setRow(0);
    c_.grid4->setCol(0);
    c_.grid4->setTextUtf8("Files Uploaded To " + nick);
    c_.Command3->hide();
    c_.Command4->hide();
    c_.Label21->setText(QString::fromStdString("Stats for : " + nick));
    c_.Label21->adjustSize();
    c_.grid4->setAccessibleName(c_.Label21->text());
    c_.Picture4->setAccessibleName(c_.Label21->text());
    c_.grid4->setRow(1);

    DrilldownResult result;
    {
        InputBlocker blocker;
        ViewProgress progress(host_);
        result = personalStats(host_.logPath(), nick, host_.analysisState(), host_.numberFormat(), &progress);
    }
    if (!result.completed) {
        host_.stopWithMessage(QString::fromStdString(result.message));
        return;
    }
    const bool found = result.rows.rowCount() > 0;
    c_.grid4->setDataRows(std::move(result.rows));
    c_.grid4->setRow(c_.grid4->rows() - 1);
    c_.grid4->setCol(found ? 1 : 0);

    host_.setBusy(false);
    host_.showCaption(QStringLiteral("Varnoth : -Analyzing complete-"));
    c_.Picture4->show();
}

void PersonalStatsView::close()
{
    c_.grid1->setEnabled(true);
    c_.Command3->show();
    c_.Command4->show();
    c_.Picture4->hide();
}

} // namespace varnoth
