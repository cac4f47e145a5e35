#include "fakes/fake_desktop.h"
#include "shell/launchers.h"
#include "shell/user_links_file.h"
#include "shell/working_folder.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A start from some folder, with a template beside the program and a user data folder.
struct StartFixture
{
    QTemporaryDir root;
    QString current = root.filePath(QStringLiteral("started-in"));
    QString program = root.filePath(QStringLiteral("program"));
    QString user = root.filePath(QStringLiteral("data/shelvana"));
    QString databaseTemplate = root.filePath(QStringLiteral("program/db25.mdb"));

    StartFixture()
    {
        QDir().mkpath(current);
        QDir().mkpath(program);
    }
    QString prepare(QString *problem) const
    {
        return PrepareWorkingFolder(current, user, databaseTemplate, problem);
    }
};

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class TestUserFiles : public QObject
{
    Q_OBJECT

private:
    Settings settings_;
    FakeDesktop fakes_;
    Launchers launchers_{settings_, fakes_.desktop};

    // "Edit Browser Links" as the Config tab does it, with the user's file.
    void editLinks(const QString &userFolder, const QString &programFolder)
    {
        if (const std::optional<QString> links = LinksFileToEdit(userFolder, programFolder, fakes_.desktop.messages))
            launchers_.editBrowserLinks(*links);
    }

private slots:
    void init()
    {
        fakes_.shell.opened.clear();
        fakes_.messages.shown.clear();
    }

    void userDataFolderFollowsXdg_data()
    {
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set") << "/data/ann" << "/data/ann/shelvana";
        QTest::newRow("trailing slash") << "/data/ann/" << "/data/ann/shelvana";
        QTest::newRow("unset") << "" << "/home/ann/.local/share/shelvana";
        QTest::newRow("relative is ignored") << "data" << "/home/ann/.local/share/shelvana";
    }
    void userDataFolderFollowsXdg()
    {
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, expected);
        QCOMPARE(UserDataFolder(xdgDataHome, QStringLiteral("/home/ann")), expected);
    }

    void aFolderWithProgramDataStaysInUse_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("settings") << "Path.txt";
        QTest::newRow("comment database") << "db25.mdb";
    }
    void aFolderWithProgramDataStaysInUse()
    {
        QFETCH(QString, file);
        StartFixture start;
        WriteTestFile(start.databaseTemplate, "template");
        WriteTestFile(QDir(start.current).filePath(file), "mine");
        QString problem;
        QCOMPARE(start.prepare(&problem), start.current);
        QCOMPARE(problem, QString());
        QVERIFY(!QFileInfo::exists(start.user));
        QCOMPARE(filesIn(start.current), QStringList{file});
    }

    void anyOtherFolderUsesTheSeededUserFolder()
    {
        StartFixture start;
        WriteTestFile(start.databaseTemplate, "empty table");
        WriteTestFile(QDir(start.current).filePath(QStringLiteral("Links.txt")), "not program data");
        QString problem;
        QCOMPARE(start.prepare(&problem), start.user);
        QCOMPARE(problem, QString());
        QCOMPARE(filesIn(start.user), QStringList{"db25.mdb"});
        QCOMPARE(ReadTestFile(QDir(start.user).filePath("db25.mdb")), QByteArray("empty table"));
        QCOMPARE(filesIn(start.current), QStringList{"Links.txt"});
        QCOMPARE(ReadTestFile(start.databaseTemplate), QByteArray("empty table"));
    }

    void anExistingDatabaseIsNeverReplaced()
    {
        StartFixture start;
        WriteTestFile(start.databaseTemplate, "empty table");
        const QString own = QDir(start.user).filePath(QStringLiteral("db25.mdb"));
        WriteTestFile(own, "my comments");
        QString problem;
        QCOMPARE(start.prepare(&problem), start.user);
        QCOMPARE(start.prepare(&problem), start.user);
        QCOMPARE(ReadTestFile(own), QByteArray("my comments"));
    }

    void aReadOnlyTemplateGivesAWritableCopy()
    {
        StartFixture start;
        WriteTestFile(start.databaseTemplate, "empty table");
        QVERIFY(QFile::setPermissions(start.databaseTemplate, QFileDevice::ReadOwner | QFileDevice::ReadOther));
        QString problem;
        QCOMPARE(start.prepare(&problem), start.user);
        QVERIFY(QFile::permissions(QDir(start.user).filePath("db25.mdb")) & QFileDevice::WriteOwner);
    }

    void aMissingTemplateIsReportedAndTheFolderStillUsed()
    {
        StartFixture start;
        QString problem;
        QCOMPARE(start.prepare(&problem), start.user);
        QVERIFY2(problem.contains(start.databaseTemplate), qPrintable(problem));
        QCOMPARE(filesIn(start.user), QStringList());
    }

    void aUserFolderThatCannotBeMadeIsReported()
    {
        StartFixture start;
        WriteTestFile(start.root.filePath(QStringLiteral("data")), "a file in the way");
        QString problem;
        QCOMPARE(start.prepare(&problem), QString());
        QVERIFY2(problem.contains(start.user), qPrintable(problem));
        QVERIFY2(problem.contains(start.root.filePath("data") + " is a file"), qPrintable(problem));
    }

    // Entering the folder at start-up: the program goes on in the user folder, or says why it
    // ends instead of using the folder it was started in.
    void enteringTheWorkingFolder_data()
    {
        QTest::addColumn<bool>("templateShips");
        QTest::addColumn<bool>("userFolderBlocked");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("messageNames");
        QTest::newRow("entered") << true << false << true << "";
        QTest::newRow("no template: said, folder still used") << false << false << true << "program/db25.mdb";
        QTest::newRow("folder cannot be made: said, program ends") << true << true << false << "data/shelvana";
    }
    void enteringTheWorkingFolder()
    {
        QFETCH(bool, templateShips);
        QFETCH(bool, userFolderBlocked);
        QFETCH(bool, goesOn);
        QFETCH(QString, messageNames);
        StartFixture start;
        if (templateShips)
            WriteTestFile(start.databaseTemplate, "empty table");
        if (userFolderBlocked)
            WriteTestFile(start.root.filePath(QStringLiteral("data")), "a file in the way");
        const QString startedIn = QDir::currentPath();
        QVERIFY(QDir::setCurrent(start.current));
        const bool entered = EnterWorkingFolder(start.current, start.user, start.databaseTemplate, fakes_.messages);
        const QString workingFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(startedIn));

        QCOMPARE(entered, goesOn);
        QCOMPARE(workingFolder, goesOn ? start.user : start.current);
        if (messageNames.isEmpty()) {
            QCOMPARE(fakes_.messages.shown.size(), 0);
            return;
        }
        QCOMPARE(fakes_.messages.shown.size(), 1);
        const QString message = fakes_.messages.shown.first().second;
        QVERIFY2(message.contains(start.root.filePath(messageNames)), qPrintable(message));
        QCOMPARE(message.contains(QStringLiteral("Shelvana ends")), !goesOn);
        QCOMPARE(filesIn(start.current), QStringList());
    }

    void linksAreReadFromTheUserCopyWhenThere_data()
    {
        QTest::addColumn<bool>("userHasCopy");
        QTest::addColumn<QString>("expectedFolder");
        QTest::newRow("user copy") << true << "user";
        QTest::newRow("shipped") << false << "program";
    }
    void linksAreReadFromTheUserCopyWhenThere()
    {
        QFETCH(bool, userHasCopy);
        QFETCH(QString, expectedFolder);
        QTemporaryDir root;
        WriteTestFile(root.filePath("program/Links.txt"), "shipped");
        QDir().mkpath(root.filePath("user"));
        if (userHasCopy)
            WriteTestFile(root.filePath("user/Links.txt"), "mine");
        QCOMPARE(LinksFileToRead(root.filePath("user"), root.filePath("program")),
                 root.filePath(expectedFolder + "/Links.txt"));
    }

    void editingWithoutACopyCopiesTheShippedFileFirst()
    {
        QTemporaryDir root;
        WriteTestFile(root.filePath("program/Links.txt"), "Search\r\nhttps://example.org/?q=\r\n");
        QVERIFY(QFile::setPermissions(root.filePath("program/Links.txt"), QFileDevice::ReadOwner));
        QDir().mkpath(root.filePath("user"));
        editLinks(root.filePath("user"), root.filePath("program"));
        const QString own = root.filePath("user/Links.txt");
        QCOMPARE(fakes_.shell.opened, QList<QUrl>{QUrl::fromLocalFile(own)});
        QCOMPARE(ReadTestFile(own), QByteArray("Search\r\nhttps://example.org/?q=\r\n"));
        QVERIFY(QFile::permissions(own) & QFileDevice::WriteOwner);
    }

    void editingKeepsTheUserCopy()
    {
        QTemporaryDir root;
        WriteTestFile(root.filePath("program/Links.txt"), "shipped");
        WriteTestFile(root.filePath("user/Links.txt"), "edited by the user");
        editLinks(root.filePath("user"), root.filePath("program"));
        QCOMPARE(fakes_.shell.opened, QList<QUrl>{QUrl::fromLocalFile(root.filePath("user/Links.txt"))});
        QCOMPARE(ReadTestFile(root.filePath("user/Links.txt")), QByteArray("edited by the user"));
        QCOMPARE(ReadTestFile(root.filePath("program/Links.txt")), QByteArray("shipped"));
    }

    void editingWithNothingShippedOpensAnEmptyUserFile()
    {
        QTemporaryDir root;
        QDir().mkpath(root.filePath("user"));
        editLinks(root.filePath("user"), root.filePath("program"));
        QCOMPARE(fakes_.shell.opened, QList<QUrl>{QUrl::fromLocalFile(root.filePath("user/Links.txt"))});
        QCOMPARE(ReadTestFile(root.filePath("user/Links.txt")), QByteArray());
    }

    // No editor on a file that is not there, and no empty copy that would hide the shipped links.
    void aUserCopyThatCannotBeMadeIsSaidAndNothingOpened_data()
    {
        QTest::addColumn<QString>("shipped");
        QTest::addColumn<QString>("user");
        QTest::newRow("copy into a folder that cannot be made") << "program/Links.txt" << "blocked/user";
        QTest::newRow("empty file in a folder that cannot be made") << "" << "blocked/user";
        QTest::newRow("shipped file that cannot be read") << "program/Links.txt/" << "user";
    }
    void aUserCopyThatCannotBeMadeIsSaidAndNothingOpened()
    {
        QFETCH(QString, shipped);
        QFETCH(QString, user);
        QTemporaryDir root;
        WriteTestFile(root.filePath("blocked"), "a file in the way");
        QDir().mkpath(root.filePath("user"));
        if (shipped.endsWith('/'))
            QDir().mkpath(root.filePath(shipped));
        else if (!shipped.isEmpty())
            WriteTestFile(root.filePath(shipped), "Search\r\nhttps://example.org/?q=\r\n");
        editLinks(root.filePath(user), root.filePath("program"));
        QCOMPARE(fakes_.shell.opened, QList<QUrl>());
        QCOMPARE(fakes_.messages.shown.size(), 1);
        const QString message = fakes_.messages.shown.first().second;
        QVERIFY2(message.contains(root.filePath(user + "/Links.txt")), qPrintable(message));
        QVERIFY(!QFileInfo::exists(root.filePath("user/Links.txt")));
    }
};

QTEST_GUILESS_MAIN(TestUserFiles)
#include "test_user_files.moc"
