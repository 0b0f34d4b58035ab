#include <QApplication>

#include "form1.h"
#include "form1_environment.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnoth"));
    QApplication::setOrganizationName(QStringLiteral("Varnoth"));

    varnoth::Form1 window(varnoth::Form1Environment::standard());
    window.show();
    return QApplication::exec();
}
