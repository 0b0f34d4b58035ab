// The browse panel: picking a log, OK with and without a valid choice,
// Cancel, and the settings file written on OK.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>

#include "app/file_list.h"
#include "app/folder_list.h"
#include "form1_harness.h"

using varnoth::FileList;
using varnoth::FolderList;
using varnoth::test::Form1Harness;

namespace {

const QString invalidChoice = QStringLiteral("Invalid Upload log file! You must select a valid DC++ Upload Logfile eg. "
                                             "C:\\program files\\dc++\\logs\\uploads.log");

// Opens a folder in Dir1 and clicks a file in File1, as the user does.
void pick(Form1Harness &h, const QString &folder, const QString &file)
{
    h.find<FolderList>("Dir1")->setPath(folder);
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
        QStringList listed;
        for (int i = 0; i < h.find<FileList>("File1")->count(); ++i)
            listed << h.find<FileList>("File1")->item(i)->text();
        QCOMPARE(listed, QStringList({"OLD.LOG", "uploads.log"}));

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

    void okWithoutAFileKeepsThePanelOpen()
    {
        Form1Harness h;
        h.writeFile(QStringLiteral("logs/uploads.log"), "x");
        h.start();
        h.click("Command5");
        h.find<FolderList>("Dir1")->setPath(h.folder() + QStringLiteral("/logs"));
        h.click("Command6");
        QCOMPARE(h.messages.last(), invalidChoice);
        QVERIFY(h.find<QWidget>("Picture3")->isVisible());
        QVERIFY(!h.button("Command1")->isVisible());
        QVERIFY(!QFile::exists(h.settingsPath()));
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
        QCOMPARE(h.find<FolderList>("Dir1")->path(), QDir::toNativeSeparators(h.folder() + QStringLiteral("/other")));
        QCOMPARE(h.find<FileList>("File1")->fileName(), QStringLiteral("second.log"));
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
        const QString folderBefore = h.find<FolderList>("Dir1")->path();
        emit drives->activated(drives->currentIndex()); // the same drive again
        QCOMPARE(h.find<FolderList>("Dir1")->path(), folderBefore);
        drives->addItem(h.folder() + QStringLiteral("/no-such-drive"));
        drives->setCurrentIndex(drives->count() - 1);
        emit drives->activated(drives->count() - 1);
        QCOMPARE(h.messages.size(), 2);
        QVERIFY(h.messages.last().contains(QStringLiteral("no-such-drive")));
        QCOMPARE(drives->currentText(), before);
        QCOMPARE(h.find<FolderList>("Dir1")->path(), folderBefore);

        // A readable drive opens the folder list there, and the file list follows.
        h.writeFile(QStringLiteral("drive/a.log"), "x");
        drives->addItem(h.folder() + QStringLiteral("/drive"));
        drives->setCurrentIndex(drives->count() - 1);
        emit drives->activated(drives->count() - 1);
        QCOMPARE(h.find<FolderList>("Dir1")->path(), QDir::toNativeSeparators(h.folder() + QStringLiteral("/drive")));
        QCOMPARE(h.find<FileList>("File1")->count(), 1);
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
