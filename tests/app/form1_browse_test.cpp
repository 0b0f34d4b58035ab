// The browse panel and the path field: picking a log (in a hidden folder,
// with a name that is not UTF-8), typing one and pressing Enter, OK with and
// without a valid choice, Cancel, and the settings file written on OK.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <filesystem>
#include <fstream>

#include "app/file_list.h"
#include "app/folder_list.h"
#include "form1_harness.h"

using varnoth::FileList;
using varnoth::FolderList;
using varnoth::test::Form1Harness;
using varnoth::test::uploadLine;

namespace {

const QString invalidChoice = QStringLiteral("Invalid Upload log file! You must select a valid DC++ Upload Logfile eg. "
                                             "C:\\program files\\dc++\\logs\\uploads.log");
const QString invalidPath = QStringLiteral("Invalid Upload log file path! Enter the correct path to textfield. "
                                           "eg. C:\\program files\\dc++\\logs\\uploads.log");
const QString lineBreak =
    QStringLiteral("This path holds a line break or a NUL character, which the settings file cannot keep. "
                   "Rename the file or its folder, then choose the log again.");

QStringList texts(QListWidget *list)
{
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text().trimmed();
    return shown;
}

// Opens a folder in Dir1 and clicks a file in File1, as the user does.
void pick(Form1Harness &h, const QString &folder, const QString &file)
{
    h.find<FolderList>("Dir1")->setPath(folder.toStdString());
    auto *files = h.find<FileList>("File1");
    const auto found = files->findItems(file, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(file));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(found.first()).center());
}

} // namespace

class Form1BrowseTest : public QObject {
    Q_OBJECT

private slots:
    void freshInstallPicksALog()
    {
        Form1Harness h;
        const QString log = h.writeFile(QStringLiteral("logs/uploads.log"), "x");
        h.writeFile(QStringLiteral("logs/notes.txt"), "x");
        h.writeFile(QStringLiteral("logs/OLD.LOG"), "x");
        h.start();

        h.click("Command5");
        QVERIFY(h.find<QWidget>("Picture3")->isVisible());
        QVERIFY(!h.button("Command5")->isEnabled());
        QCOMPARE(h.label("Label20")->text(), QStringLiteral("Select your Upload.log file to analyze:"));

        pick(h, h.folder() + QStringLiteral("/logs"), QStringLiteral("uploads.log"));
        QCOMPARE(texts(h.find<FileList>("File1")), QStringList({"OLD.LOG", "uploads.log"}));

        h.click("Command6");
        QCOMPARE(h.messages.size(), 1); // only the start-up message
        QCOMPARE(h.readSettings(), "Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 0 \r\n");
        QVERIFY(h.button("Command1")->isVisible());
        QVERIFY(h.button("Command5")->isVisible() && h.button("Command5")->isEnabled());
        QVERIFY(!h.text1()->isVisible());
        QCOMPARE(h.text1()->text(), log);
        QCOMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file : ") + log);
        QVERIFY(!h.find<QWidget>("Picture3")->isVisible());
    }

    void cancelChangesNothing()
    {
        Form1Harness h;
        const QString log = h.writeFile(QStringLiteral("uploads.log"), "x");
        h.writeFile(QStringLiteral("other/second.log"), "x");
        const QByteArray settings = "Quillon ini file 1\r\n" + log.toUtf8() + "\r\n 5 \r\n";
        h.writeSettings(settings);
        h.start();

        h.click("Command5");
        pick(h, h.folder() + QStringLiteral("/other"), QStringLiteral("second.log"));
        h.click("Command7");
        QVERIFY(!h.find<QWidget>("Picture3")->isVisible());
        QVERIFY(h.button("Command5")->isEnabled());
        QCOMPARE(h.text1()->text(), log);
        QCOMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file : ") + log);
        QVERIFY(h.button("Command1")->isVisible());
        QCOMPARE(h.readSettings(), settings);

        // A second Browse shows the lists where they were left.
        h.click("Command5");
        QCOMPARE(h.find<FolderList>("Dir1")->path().text,
                 QDir::toNativeSeparators(h.folder() + QStringLiteral("/other")));
        QCOMPARE(h.find<FileList>("File1")->fileName(), "second.log");
    }

    void secondOkReplacesTheFirst()
    {
        Form1Harness h;
        h.writeFile(QStringLiteral("a/first.log"), "x");
        const QString second = h.writeFile(QStringLiteral("b/second.log"), "x");
        h.writeSettings("Quillon ini file 1\r\n/gone.log\r\n 42 \r\n");
        h.start();
        for (const auto &[folder, file] : {std::pair{"a", "first.log"}, std::pair{"b", "second.log"}}) {
            h.click("Command5");
            pick(h, h.folder() + QLatin1Char('/') + QLatin1String(folder), QLatin1String(file));
            h.click("Command6");
        }
        QCOMPARE(h.readSettings(), "Quillon ini file 1\r\n" + second.toUtf8() + "\r\n 42 \r\n");
    }

    void driveChoices()
    {
        Form1Harness h;
        h.start();
        h.click("Command5");
        auto *drives = h.find<QComboBox>("Drive1");
        const QString before = drives->currentText();
        const QString folderBefore = h.find<FolderList>("Dir1")->path().text;
        emit drives->activated(drives->currentIndex()); // the same drive again
        QCOMPARE(h.find<FolderList>("Dir1")->path().text, folderBefore);
        drives->addItem(h.folder() + QStringLiteral("/no-such-drive"));
        drives->setCurrentIndex(drives->count() - 1);
        emit drives->activated(drives->count() - 1);
        QCOMPARE(h.messages.size(), 2);
        QVERIFY(h.messages.last().contains(QStringLiteral("no-such-drive")));
        QCOMPARE(drives->currentText(), before);
        QCOMPARE(h.find<FolderList>("Dir1")->path().text, folderBefore);

        // A readable drive opens the folder list there, and the file list follows.
        h.writeFile(QStringLiteral("drive/a.log"), "x");
        drives->addItem(h.folder() + QStringLiteral("/drive"));
        drives->setCurrentIndex(drives->count() - 1);
        emit drives->activated(drives->count() - 1);
        QCOMPARE(h.find<FolderList>("Dir1")->path().text,
                 QDir::toNativeSeparators(h.folder() + QStringLiteral("/drive")));
        QCOMPARE(h.find<FileList>("File1")->count(), 1);
    }

    // A client on Linux keeps its log in a hidden folder; its name need not
    // be UTF-8. Such a log is listed, chosen, analysed and remembered.
    void hiddenFolderAndLatin1NameAreChosenAnalysedAndRemembered()
    {
        Form1Harness h;
        const std::string folder = h.folder().toStdString() + "/.dc++/Logs";
        std::filesystem::create_directories(folder);
        std::filesystem::create_directories(h.folder().toStdString() + "/visible");
        const std::string log = folder + "/caf\xE9.log";
        std::ofstream(log, std::ios::binary)
            << uploadLine("C:\\share\\a.avi", "Alice", 1500000, "0:01:00").toStdString();
        h.start();

        h.click("Command5");
        auto *dir1 = h.find<FolderList>("Dir1");
        dir1->setPath(h.folder().toStdString());
        const QStringList folders = texts(dir1);
        QCOMPARE(folders.mid(folders.indexOf(QStringLiteral("visible"))), QStringList({"visible", ".dc++"}));
        for (const char *name : {".dc++", "Logs"}) { // opened by the keyboard
            dir1->setCurrentItem(dir1->findItems(QLatin1String(name), Qt::MatchEndsWith).value(0));
            QTest::keyClick(dir1, Qt::Key_Return);
        }
        QCOMPARE(dir1->path().bytes, folder);
        const QString shown = QStringLiteral("caf\uFFFD.log");
        pick(h, QString::fromStdString(folder), shown);
        h.click("Command6");
        QCOMPARE(h.readSettings(), "Quillon ini file 1\r\n" + QByteArray::fromStdString(log) + "\r\n 0 \r\n");
        QVERIFY(h.label("Label9")->text().endsWith(QStringLiteral("/.dc++/Logs/") + shown));

        h.click("Command1");
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Alice"}));
        h.click("Command1"); // Quit
        QCOMPARE(h.readSettings(), "Quillon ini file 1\r\n" + QByteArray::fromStdString(log) + "\r\n 1 \r\n");

        h.start(); // the next start offers the same log
        QVERIFY(h.button("Command1")->isVisible());
        QCOMPARE(h.form().logPath(), log);
        h.click("Command1");
        QCOMPARE(h.column("grid1", 0), QStringList({"Name:", "Alice"}));
        QCOMPARE(h.messages.size(), 1); // only the first start's
    }

    // Enter in the path field takes a typed path as OK takes a chosen one;
    // both refuse a path that the settings file cannot hold.
    void typedAndChosenPaths_data()
    {
        QTest::addColumn<QString>("file");  // created in the test folder when not empty
        QTest::addColumn<QString>("typed"); // typed into Text1; empty: file (if any) is chosen in the panel
        QTest::addColumn<QString>("refusal");
        QTest::newRow("typed, found") << "uploads.log"
                                      << "uploads.log" << QString();
        QTest::newRow("typed, missing") << QString() << "missing.log" << invalidPath;
        QTest::newRow("typed, with a line feed") << QString() << "up\nloads.log" << lineBreak;
        QTest::newRow("chosen, no file selected") << QString() << QString() << invalidChoice;
        QTest::newRow("chosen, with a carriage return") << "up\rloads.log" << QString() << lineBreak;
    }

    void typedAndChosenPaths()
    {
        QFETCH(QString, file);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        Form1Harness h;
        if (!file.isEmpty())
            h.writeFile(file, "x");
        h.start();
        h.messages.clear();
        const QString path = h.folder() + QLatin1Char('/') + (typed.isEmpty() ? file : typed);
        if (typed.isEmpty()) {
            h.click("Command5");
            if (file.isEmpty())
                h.find<FolderList>("Dir1")->setPath(h.folder().toStdString());
            else
                pick(h, h.folder(), file);
            h.click("Command6");
        } else {
            h.text1()->setFocus();
            h.text1()->setText(path);
            QTest::keyClick(h.text1(), Qt::Key_Return);
        }
        if (refusal.isEmpty()) {
            QCOMPARE(h.messages, QStringList());
            QVERIFY(h.button("Command1")->isVisible());
            QVERIFY(!h.text1()->isVisible());
            QCOMPARE(h.label("Label9")->text(), QStringLiteral("Upload log file : ") + path);
            QCOMPARE(h.readSettings(), "Quillon ini file 1\r\n" + path.toUtf8() + "\r\n 0 \r\n");
        } else {
            QCOMPARE(h.messages, QStringList({refusal}));
            QCOMPARE(h.find<QWidget>("Picture3")->isVisible(), typed.isEmpty()); // the panel stays open
            QVERIFY(!h.button("Command1")->isVisible());
            QVERIFY(!QFile::exists(h.settingsPath()));
        }
    }

    void unwritableSettingsStillOffersAnalyze()
    {
        Form1Harness h;
        const QString log = h.writeFile(QStringLiteral("uploads.log"), "x");
        QDir(h.settingsFolder()).removeRecursively();
        h.writeFile(QStringLiteral("settings"), "a file where the folder should be");
        h.start();
        h.click("Command5");
        pick(h, h.folder(), QStringLiteral("uploads.log"));
        h.click("Command6");
        QVERIFY(h.messages.last().startsWith(QStringLiteral("The settings file could not be written : ")));
        QVERIFY(h.button("Command1")->isVisible());
        QCOMPARE(h.text1()->text(), log);
        QCOMPARE(h.endCount, 0);
    }
};

QTEST_MAIN(Form1BrowseTest)
#include "form1_browse_test.moc"
