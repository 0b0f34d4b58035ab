#include "form1_environment.h"

#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>

namespace varnoth {

Form1Environment Form1Environment::standard()
{
    Form1Environment environment;
    environment.settingsFolders = {
        QCoreApplication::applicationDirPath().toStdString(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString(),
    };
    environment.showMessage = [](const QString &text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Varnoth"), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText); // paths and nicks are never markup
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    };
    environment.ask = [](const QString &text) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Varnoth"), text, QMessageBox::Yes | QMessageBox::No,
                        QApplication::activeWindow());
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::No);
        box.setWindowModality(Qt::ApplicationModal);
        return box.exec() == QMessageBox::Yes;
    };
    environment.endProgram = [] { QCoreApplication::exit(0); };
    return environment;
}

} // namespace varnoth
