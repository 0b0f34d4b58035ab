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

    varnoth::Form1 window(varnoth::Form1Environment::standard());
    window.show();
    // Logs named on the command line are analysed at once, read as one.
    const QStringList logs = QApplication::arguments().mid(1);
    if (!logs.isEmpty())
        QTimer::singleShot(0, &window, [&window, logs] { window.analyzeLogs(logs); });
    return QApplication::exec();
}
