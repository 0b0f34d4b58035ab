#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "app/form1.h"
#include "views/grid.h"

namespace varnoth::test {

// A window started on a temporary settings folder (and per-user state in a
// temporary folder), with its message boxes, questions and its end recorded
// instead of shown and carried out.
class Form1Harness {
public:
    Form1Harness();

    // The settings folder of the window under test.
    QString settingsFolder() const { return dir_.path() + QStringLiteral("/settings"); }
    QString settingsPath() const { return settingsFolder() + QStringLiteral("/quillon.ini"); }
    void writeSettings(const QByteArray &content) const;
    QByteArray readSettings() const;

    // A file in the temporary folder; returns its path.
    QString writeFile(const QString &name, const QByteArray &content) const;
    QString folder() const { return dir_.path(); }

    // Creates and shows the window (start-up runs in its constructor).
    Form1 &start();
    Form1 &form() { return *form_; }

    template <typename T> T *find(const char *name)
    {
        T *child = form_->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    QPushButton *button(const char *name) { return find<QPushButton>(name); }
    QLabel *label(const char *name) { return find<QLabel>(name); }
    Grid *grid(const char *name) { return find<Grid>(name); }
    QLineEdit *text1() { return find<QLineEdit>("Text1"); }

    // Clicks a button as the user does, then waits until any read it started has ended.
    void click(const char *buttonName);
    // The same without waiting.
    void press(const char *buttonName);
    void waitForRead();
    // Clicks a cell as the user does (row 0 is the header).
    void clickCell(const char *gridName, int row, int col);
    QStringList column(const char *gridName, int col);

    QStringList messages;
    QStringList questions;
    bool answer = true; // to every question
    int endCount = 0;

private:
    QTemporaryDir dir_;
    std::unique_ptr<Form1> form_;
};

// An upload line in the client's format.
QByteArray uploadLine(const QString &path, const QString &nick, qint64 bytes, const QString &duration,
                      const QString &dateTime = QStringLiteral("2003-06-14 21:05"));

} // namespace varnoth::test
