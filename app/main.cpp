#include <QApplication>
#include <QStringList>
#include <QTimer>

#include "form1.h"
#include "form1_environment.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnoth"));
    // Lets Wayland desktops match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.varnoth.Varnoth"));

    // Logs named on the command line are analysed at once, read as one.
    varnoth::Form1Environment environment = varnoth::Form1Environment::standard();
    environment.logsGiven = QApplication::arguments().mid(1);
    varnoth::Form1 window(environment);
    window.show();
    if (!environment.logsGiven.isEmpty())
        QTimer::singleShot(0, &window, [&window, logs = environment.logsGiven] { window.analyzeLogs(logs); });
    return QApplication::exec();
}
