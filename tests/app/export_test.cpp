// File -> Export results: offered once a run has completed, it writes each
// format through the save dialog with the content of varnoth-report, and a
// write that fails says why and leaves every existing file as it was.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTimer>

#include "form1_harness.h"

using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

// Names with the characters that CSV, HTML and terminals treat specially.
QByteArray hostileLog()
{
    return uploadLine(QStringLiteral("C:\\share\\a, \"b\"; c.avi"), QStringLiteral("a,\"b\";c"), 1500000,
                      QStringLiteral("0:01:00")) +
           uploadLine(QStringLiteral("C:\\share\\<b>x</b>.avi"), QStringLiteral("<script>alert(1)</script>"), 3000000,
                      QStringLiteral("0:02:00"), QStringLiteral("2003-06-15 08:10")) +
           uploadLine(QStringLiteral("D:\\日本\\ひかり.mp3"), QStringLiteral("ひかり"), 2500000,
                      QStringLiteral("0:00:30"));
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// What varnoth-report writes for the same log.
QByteArray commandOutput(const QStringList &arguments)
{
    QProcess command;
    command.start(QStringLiteral(VARNOTH_REPORT), arguments);
    if (!command.waitForFinished(20000) || command.exitCode() != 0)
        qFatal("varnoth-report failed");
    return command.readAllStandardOutput();
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

    // Triggers Export and answers its dialog with a file type and a path.
    void exportAs(Form1Harness &h, const QString &filter, const QString &path)
    {
        auto *timer = new QTimer(this);
        timer->setInterval(20);
        connect(timer, &QTimer::timeout, this, [timer, filter, path] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer->stop();
            timer->deleteLater();
            QCOMPARE(dialog->objectName(), QStringLiteral("exportDialog"));
            dialog->selectNameFilter(filter);
            // Typed as the user types it (selectFile leaves a focused name field alone).
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, through the public slot
        });
        timer->start();
        h.find<QAction>("exportvalikko")->trigger();
    }

    // A run on the hostile log; Export is offered, above Exit, only once it has completed.
    void analyse(Form1Harness &h, QString &log)
    {
        log = h.writeFile(QStringLiteral("uploads.log"), hostileLog());
        h.writeSettings("Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 0 \r\n");
        h.start();
        QAction *action = h.find<QAction>("exportvalikko");
        QVERIFY2(!action->isEnabled(), "Export before a run");
        const QList<QAction *> items = h.find<QMenu>("filevalikko")->actions();
        QCOMPARE(items.first()->text(), QStringLiteral("&Export results…"));
        QCOMPARE(items.last(), h.find<QAction>("exitvalikko"));
        h.click("Command1");
        QVERIFY(action->isEnabled());
    }

private slots:
    void writesEachFormatAsTheCommandDoes()
    {
        Form1Harness h;
        QString log;
        analyse(h, log);
        const QString out = h.folder() + QStringLiteral("/out");
        QDir().mkpath(out);

        exportAs(h, QStringLiteral("HTML page (*.html)"), out + QStringLiteral("/report"));
        QCOMPARE(contentOf(out + QStringLiteral("/report.html")), commandOutput({"--format", "html", log}));
        exportAs(h, QStringLiteral("JSON (*.json)"), out + QStringLiteral("/report.json"));
        QCOMPARE(contentOf(out + QStringLiteral("/report.json")), commandOutput({"--format", "json", log}));
        exportAs(h, QStringLiteral("CSV, most downloaded files (*.csv)"), out + QStringLiteral("/files.csv"));
        QCOMPARE(contentOf(out + QStringLiteral("/files.csv")),
                 commandOutput({"--format", "csv", "--list", "files", log}));
        exportAs(h, QStringLiteral("CSV, one file per list (*.csv)"), out + QStringLiteral("/all.csv"));
        for (const char *list : {"downloaders", "files", "folders", "days", "hours"})
            QCOMPARE(contentOf(out + QStringLiteral("/all-%1.csv").arg(QLatin1String(list))),
                     commandOutput({"--format", "csv", "--list", list, log}));
        QCOMPARE(QDir(out).entryList(QDir::Files).size(), 8);
        QCOMPARE(h.messages, QStringList());
        QCOMPARE(h.endCount, 0);
    }

    void aFailedWriteSaysWhyAndLosesNothing()
    {
        Form1Harness h;
        QString log;
        analyse(h, log);
        const QString out = h.folder() + QStringLiteral("/out");
        QDir().mkpath(out + QStringLiteral("/all-days.csv")); // a folder where one file should go
        h.writeFile(QStringLiteral("out/all-downloaders.csv"), "kept");

        exportAs(h, QStringLiteral("CSV, one file per list (*.csv)"), out + QStringLiteral("/all.csv"));
        QCOMPARE(h.messages.size(), 1);
        QVERIFY2(h.messages.first().startsWith(QStringLiteral("The results could not be exported to ") + out +
                                               QStringLiteral("/all-days.csv : ")),
                 qPrintable(h.messages.first()));
        QCOMPARE(contentOf(out + QStringLiteral("/all-downloaders.csv")), QByteArray("kept"));
        QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"all-days.csv", "all-downloaders.csv"}));
        QCOMPARE(h.endCount, 0);
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
