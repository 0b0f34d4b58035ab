#include "form1_harness.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QSettings>

namespace varnoth::test {

Form1Harness::Form1Harness()
{
    QDir().mkpath(settingsFolder());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path() + QStringLiteral("/user"));
}

void Form1Harness::writeSettings(const QByteArray &content) const
{
    QFile file(settingsPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write settings");
}

QByteArray Form1Harness::readSettings() const
{
    QFile file(settingsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Form1Harness::writeFile(const QString &name, const QByteArray &content) const
{
    const QString path = dir_.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write file");
    return path;
}

Form1 &Form1Harness::start()
{
    Form1Environment environment;
    environment.settingsFolders = {settingsFolder().toStdString()};
    environment.showMessage = [this](const QString &text) { messages << text; };
    environment.ask = [this](const QString &text) {
        questions << text;
        return answer;
    };
    environment.endProgram = [this] { ++endCount; };
    form_ = std::make_unique<Form1>(std::move(environment));
    form_->show();
    if (!QTest::qWaitForWindowExposed(form_.get()))
        qFatal("window not exposed");
    return *form_;
}

void Form1Harness::click(const char *buttonName)
{
    press(buttonName);
    waitForRead();
}

void Form1Harness::press(const char *buttonName)
{
    QPushButton *target = button(buttonName);
    if (!target->isVisible() || !target->isEnabled())
        qFatal("button %s cannot be clicked", buttonName);
    QTest::mouseClick(target, Qt::LeftButton);
}

void Form1Harness::waitForRead()
{
    if (!QTest::qWaitFor([this] { return !form_->reading(); }, 20000))
        qFatal("a read of the log did not end");
}

void Form1Harness::clickCell(const char *gridName, int row, int col)
{
    Grid *target = grid(gridName);
    if (row == 0) {
        QHeaderView *header = target->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2));
        return;
    }
    const QModelIndex index = target->model()->index(row - 1, col);
    target->scrollTo(index);
    QTest::mouseClick(target->viewport(), Qt::LeftButton, {}, target->visualRect(index).center());
}

QStringList Form1Harness::column(const char *gridName, int col)
{
    Grid *target = grid(gridName);
    QStringList texts;
    for (int row = 0; row < target->rows(); ++row)
        texts << QString::fromStdString(target->cellUtf8(row, col));
    return texts;
}

QByteArray uploadLine(const QString &path, const QString &nick, qint64 bytes, const QString &duration,
                      const QString &dateTime)
{
    return (dateTime + QStringLiteral(": ") + path + QStringLiteral(" uploaded to ") + nick +
            QStringLiteral(", 1.00 MiB (%1), 10.00 KiB/s, ").arg(bytes) + duration + QStringLiteral("\r\n"))
        .toUtf8();
}

} // namespace varnoth::test
