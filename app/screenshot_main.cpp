// varnoth-screenshot SETTINGS_FOLDER READY_FILE [--activity]
// Opens the window maximised on the settings file of SETTINGS_FOLDER,
// presses Analyze, then writes the place on the screen ("WxH+X+Y") of the
// window to picture to READY_FILE and stays open until it is ended, so that
// scripts/screenshot.sh can take a picture of the screen. With --activity
// the picture is of the activity window, with a few weeks selected by a
// drag and the figures of one of them shown as if the pointer were on it.
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QFile>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "form1.h"
#include "form1_environment.h"
#include "views/period_chart.h"

namespace {

void writePlace(const QWidget &window, const QString &readyFile)
{
    const QRect frame = window.frameGeometry();
    QFile ready(readyFile);
    if (ready.open(QIODevice::WriteOnly))
        ready.write(QStringLiteral("%1x%2+%3+%4")
                        .arg(frame.width())
                        .arg(frame.height())
                        .arg(frame.x())
                        .arg(frame.y())
                        .toUtf8());
}

// Where bar index of the chart stands in its viewport, halfway up the plot.
QPoint barPoint(varnoth::PeriodChart &chart, int index)
{
    const QRectF plot = chart.chart()->plotArea();
    const double bars = static_cast<double>(chart.periods().periods.size());
    const QPointF inChart(plot.left() + plot.width() * (index + 0.5) / bars, plot.center().y());
    return chart.mapFromScene(chart.chart()->mapToScene(inChart));
}

void mouse(QWidget *viewport, QEvent::Type type, const QPoint &at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

// Drags across bars first to last, then asks for the tooltip of bar shown.
void selectAndPoint(varnoth::PeriodChart &chart, int first, int last, int shown)
{
    QWidget *viewport = chart.viewport();
    mouse(viewport, QEvent::MouseButtonPress, barPoint(chart, first), Qt::LeftButton);
    mouse(viewport, QEvent::MouseMove, barPoint(chart, last), Qt::LeftButton);
    mouse(viewport, QEvent::MouseButtonRelease, barPoint(chart, last), Qt::NoButton);
    const QPoint at = barPoint(chart, shown);
    QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
    QCoreApplication::sendEvent(viewport, &help);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool activity = argc == 4 && std::strcmp(argv[3], "--activity") == 0;
    if (argc != 3 && !activity) {
        std::fprintf(stderr, "usage: varnoth-screenshot SETTINGS_FOLDER READY_FILE [--activity]\n");
        return 2;
    }
    varnoth::Form1Environment environment = varnoth::Form1Environment::standard();
    environment.settingsFolders = {argv[1]};
    const QString readyFile = QString::fromLocal8Bit(argv[2]);

    varnoth::Form1 window(std::move(environment));
    window.showMaximized();
    // The place of the window, once the analysis has ended and been painted.
    QObject::connect(&window, &varnoth::Form1::readFinished, &window, [&] {
        if (!activity) {
            QTimer::singleShot(300, &window, [&] { writePlace(window, readyFile); });
            return;
        }
        window.findChild<QAction *>(QStringLiteral("activityAction"))->trigger();
        auto *activityWindow = window.findChild<QWidget *>(QStringLiteral("ActivityWindow"));
        activityWindow->move(40, 30);
        QTimer::singleShot(500, &window, [&window, activityWindow, readyFile] {
            auto *chart = window.findChild<varnoth::PeriodChart *>(QStringLiteral("periodChart"));
            const int bars = static_cast<int>(chart->periods().periods.size());
            selectAndPoint(*chart, bars * 5 / 12, bars * 6 / 12, bars * 11 / 24);
            QTimer::singleShot(500, activityWindow,
                               [activityWindow, readyFile] { writePlace(*activityWindow, readyFile); });
        });
    });
    QTimer::singleShot(300, &window, [&] {
        if (auto *analyze = window.findChild<QPushButton *>(QStringLiteral("Command1"));
            analyze && analyze->isVisible())
            analyze->click();
    });
    return QApplication::exec();
}
