#include "file_stats_view.h"

#include <QLabel>
#include <QPushButton>
#include <string>

#include "analysis/drilldown.h"
#include "forms/text.h"
#include "grid.h"
#include "input_blocker.h"
#include "view_host.h"
#include "view_progress.h"

namespace varnoth {

FileStatsView::FileStatsView(const Controls &controls, ViewHost &host)
    : c_(controls)
    , host_(host)
{
}

void FileStatsView::open()
{
    host_.showCaption(QStringLiteral("Varnoth : Analyzing. - Reading File Information -"));
    c_.grid5->setRows(2);
    c_.grid2->setEnabled(false);
    c_.grid5->setRow(1);
    const std::string file = c_.grid2->textUtf8();
    c_.Command3->hide();
    c_.Command4->hide();
    c_.Label22->setText(QString::fromStdString(std::string(lastChars(file, 60)) + " Has been Uploaded to :"));
    c_.Label22->adjustSize();
    c_.grid5->setAccessibleName(c_.Label22->text());
    c_.Picture5->setAccessibleName(c_.Label22->text());

    DrilldownResult result;
    {
        InputBlocker blocker;
        ViewProgress progress(host_);
        result = fileStats(host_.logPath(), file, host_.analysisState(), host_.numberFormat(), &progress);
    }
    if (!result.completed) {
        host_.stopWithMessage(QString::fromStdString(result.message));
        return;
    }
    c_.grid5->setDataRows(std::move(result.rows));
    c_.grid5->setRow(c_.grid5->rows() - 1);

    host_.setBusy(false);
    host_.showCaption(QStringLiteral("Varnoth : -Analyzing complete-"));
    c_.Picture5->show();
}

void FileStatsView::close()
{
    c_.grid2->setEnabled(true);
    c_.Command3->show();
    c_.Command4->show();
    c_.Picture5->hide();
}

} // namespace varnoth
