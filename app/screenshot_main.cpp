// varnoth-screenshot SETTINGS_FOLDER READY_FILE
// Opens the window on the settings file of SETTINGS_FOLDER, presses Analyze,
// then writes the window's place on the screen ("WxH+X+Y") to READY_FILE and
// stays open until it is ended, so that scripts/screenshot.sh can take a
// picture of the screen.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "form1.h"
#include "form1_environment.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: varnoth-screenshot SETTINGS_FOLDER READY_FILE\n");
        return 2;
    }
    varnoth::Form1Environment environment = varnoth::Form1Environment::standard();
    environment.settingsFolders = {argv[1]};
    const QString readyFile = QString::fromLocal8Bit(argv[2]);

    varnoth::Form1 window(std::move(environment));
    window.move(0, 0);
    window.show();
    // The place of the window, once the analysis has ended and been painted.
    QObject::connect(&window, &varnoth::Form1::readFinished, &window, [&] {
        QTimer::singleShot(300, &window, [&] {
            const QRect frame = window.frameGeometry();
            QFile ready(readyFile);
            if (ready.open(QIODevice::WriteOnly))
                ready.write(QStringLiteral("%1x%2+%3+%4")
                                .arg(frame.width())
                                .arg(frame.height())
                                .arg(frame.x())
                                .arg(frame.y())
                                .toUtf8());
        });
    });
    QTimer::singleShot(300, &window, [&] {
        if (auto *analyze = window.findChild<QPushButton *>(QStringLiteral("Command1"));
            analyze && analyze->isVisible())
            analyze->click();
    });
    return QApplication::exec();
}
