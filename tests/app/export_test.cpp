// File -> Export results: offered once a run has completed, it writes each
// format through the save dialog with the content of varnoth-report, and a
// write that fails says why and leaves every existing file as it was. A
// typed suffix chooses the format; one question names every file replaced;
// the dialog opens where the last export went; the caption confirms a save.
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

    // What the dialog showed: its folder, and its file type once the name was typed.
    QString dialogFolder_;
    QString typedFilter_;

    // Answers the next save dialog with a file type and a path (typed as
    // the user types it), or cancels it when path is empty.
    void answerDialog(const QString &filter, const QString &path)
    {
        auto *timer = new QTimer(this);
        timer->setInterval(20);
        connect(timer, &QTimer::timeout, this, [this, timer, filter, path] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer->stop();
            timer->deleteLater();
            QCOMPARE(dialog->objectName(), QStringLiteral("exportDialog"));
            dialogFolder_ = dialog->directory().absolutePath();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            dialog->selectNameFilter(filter);
            // Typed as the user types it (selectFile leaves a focused name field alone).
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            typedFilter_ = dialog->selectedNameFilter();
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept, through the public slot
        });
        timer->start();
    }

    // Triggers Export and answers its dialog.
    void exportAs(Form1Harness &h, const QString &filter, const QString &path)
    {
        answerDialog(filter, path);
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
        QVERIFY(items.contains(action));
        QCOMPARE(action->text(), QStringLiteral("E&xport results…"));
        QVERIFY(items.indexOf(action) < items.indexOf(h.find<QAction>("exitvalikko")));
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

    // A suffix that names a format chooses it, and the type list follows;
    // any other name is written in the chosen type.
    void typedSuffixChoosesTheFormat_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("followed"); // the type shown once the name is typed
        QTest::addColumn<QString>("written");
        QTest::addColumn<QStringList>("command");
        const QString html = QStringLiteral("HTML page (*.html)");
        const QString json = QStringLiteral("JSON (*.json)");
        QTest::newRow(".json typed, HTML chosen")
            << html << "r.json" << json << "r.json" << QStringList{"--format", "json"};
        QTest::newRow(".htm") << json << "r.htm" << html << "r.htm" << QStringList{"--format", "html"};
        QTest::newRow(".TXT") << html << "r.TXT"
                              << "Text (*.txt)"
                              << "r.TXT" << QStringList{"--format", "text"};
        QTest::newRow(".csv keeps a CSV type") << "CSV, most accessed folders (*.csv)"
                                               << "r.csv"
                                               << "CSV, most accessed folders (*.csv)"
                                               << "r.csv" << QStringList{"--format", "csv", "--list", "folders"};
        QTest::newRow("other suffix") << json << "r.data" << json << "r.data" << QStringList{"--format", "json"};
        QTest::newRow("no suffix") << json << "r" << json << "r.json" << QStringList{"--format", "json"};
    }

    void typedSuffixChoosesTheFormat()
    {
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, followed);
        QFETCH(QString, written);
        QFETCH(QStringList, command);
        Form1Harness h;
        QString log;
        analyse(h, log);
        exportAs(h, filter, h.folder() + QLatin1Char('/') + typed);
        QCOMPARE(typedFilter_, followed);
        QCOMPARE(contentOf(h.folder() + QLatin1Char('/') + written), commandOutput(command << log));
        QCOMPARE(h.questions, QStringList());
    }

    // Before any file is replaced, one question names every file the choice
    // writes; No goes back to the dialog and replaces nothing. After a save
    // the caption says where, and the next export opens there.
    void oneQuestionBeforeReplacingAndTheFolderRemembered()
    {
        Form1Harness h;
        QString log;
        analyse(h, log);
        const QString out = h.folder() + QStringLiteral("/out");
        h.writeFile(QStringLiteral("out/all-days.csv"), "kept");
        h.writeFile(QStringLiteral("out/all.csv"), "not written by this choice");
        const QString csvSet = QStringLiteral("CSV, one file per list (*.csv)");

        h.answer = false;
        answerDialog(csvSet, out + QStringLiteral("/all.csv"));
        QTimer::singleShot(0, this, [this] { answerDialog({}, {}); }); // the dialog again: cancelled
        h.find<QAction>("exportvalikko")->trigger();
        QCOMPARE(h.questions.size(), 1);
        QStringList files;
        for (const char *list : {"downloaders", "files", "folders", "days", "hours"})
            files << QDir::toNativeSeparators(out + QStringLiteral("/all-%1.csv").arg(QLatin1String(list))) +
                         (QLatin1String(list) == QLatin1String("days") ? QStringLiteral(" (exists)") : QString());
        QCOMPARE(h.questions.first(),
                 QStringLiteral("Export writes these files; those marked (exists) are there already:\n") +
                     files.join(QLatin1Char('\n')) + QStringLiteral("\n\nReplace the files that exist?"));
        QCOMPARE(contentOf(out + QStringLiteral("/all-days.csv")), QByteArray("kept"));
        QCOMPARE(h.form().windowTitle(), QStringLiteral("Varnoth : -Analyzing complete-"));

        h.answer = true;
        exportAs(h, csvSet, out + QStringLiteral("/all.csv"));
        QCOMPARE(h.questions.size(), 2);
        QCOMPARE(contentOf(out + QStringLiteral("/all-days.csv")),
                 commandOutput({"--format", "csv", "--list", "days", log}));
        QCOMPARE(contentOf(out + QStringLiteral("/all.csv")), QByteArray("not written by this choice"));
        QCOMPARE(h.form().windowTitle(),
                 QStringLiteral("Varnoth : 5 files exported to ") + QDir::toNativeSeparators(out));

        exportAs(h, QStringLiteral("JSON (*.json)"), QStringLiteral("again.json"));
        QCOMPARE(dialogFolder_, out);
        QCOMPARE(h.form().windowTitle(), QStringLiteral("Varnoth : Exported to ") +
                                             QDir::toNativeSeparators(out + QStringLiteral("/again.json")));
        QTest::keyClick(h.grid("grid1"), Qt::Key_Down); // the next action
        QCOMPARE(h.form().windowTitle(), QStringLiteral("Varnoth : -Analyzing complete-"));
        QCOMPARE(h.questions.size(), 2);
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
