#include "fakes/fake_desktop.h"
#include "shell/launchers.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList cueNames(const FakeSoundPlayer &sound)
{
    QStringList names;
    for (const QString &path : sound.played)
        names << path.section('/', -1);
    return names;
}

} // namespace

class TestLaunchers : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir_;
    Settings settings_;
    FakeDesktop fakes_;
    Launchers launchers_{settings_, fakes_.desktop};

    QString books() const { return dir_.filePath("My Books") + "/"; }

private slots:
    void init()
    {
        settings_ = Settings();
        settings_.ConfigSound = 1;
        settings_.ConfigEbookDir = books();
        QVERIFY(QDir().mkpath(books()));
        fakes_.sound.played.clear();
        fakes_.shell.opened.clear();
        fakes_.shell.succeeds = true;
        fakes_.programs.installed.clear();
        fakes_.programs.started.clear();
        fakes_.programs.startSucceeds = true;
        fakes_.messages.shown.clear();
    }

    void listToView_data()
    {
        QTest::addColumn<int>("tree");
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("list"); // empty: none
        QTest::newRow("tree before table") << 1 << 1 << 1 << "/lists/EBookTree.html";
        QTest::newRow("table before text") << 0 << 1 << 1 << "/lists/EBook.html";
        QTest::newRow("text") << 0 << 0 << 1 << "/lists/EBook.txt";
        QTest::newRow("all off") << 0 << 0 << 0 << "";
        QTest::newRow("only 1 is on") << 2 << -1 << 1 << "/lists/EBook.txt";
    }
    void listToView()
    {
        QFETCH(int, tree);
        QFETCH(int, table);
        QFETCH(int, text);
        QFETCH(QString, list);
        Settings s;
        s.ConfigListDir = "/lists/";
        s.ConfigTreeViewList = qint16(tree);
        s.configTableList = qint16(table);
        s.ConfigTextList = qint16(text);
        QCOMPARE(ListToView(s).value_or(QString()), list);
    }

    // A list folder typed without its trailing separator still holds the list.
    void listToViewJoinsOneSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("with separator") << "/data/lists/";
        QTest::newRow("without separator") << "/data/lists";
        QTest::newRow("two separators") << "/data/lists//";
    }
    void listToViewJoinsOneSeparator()
    {
        QFETCH(QString, folder);
        Settings s;
        s.ConfigListDir = folder;
        s.ConfigTextList = 1;
        QCOMPARE(ListToView(s).value_or(QString()), QString("/data/lists/EBook.txt"));
    }

    void fileSearchTool_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("command"); // empty: none
        QTest::newRow("none installed") << QStringList{} << QStringList{};
        QTest::newRow("catfish first") << QStringList{"kfind", "catfish"}
                                       << QStringList{"/usr/bin/catfish", "--path=/b/"};
        QTest::newRow("kfind") << QStringList{"kfind", "searchmonkey"} << QStringList{"/usr/bin/kfind", "/b/"};
        QTest::newRow("gnome-search-tool takes --path")
            << QStringList{"gnome-search-tool"} << QStringList{"/usr/bin/gnome-search-tool", "--path=/b/"};
        QTest::newRow("searchmonkey takes no folder") << QStringList{"searchmonkey"}
                                                      << QStringList{"/usr/bin/searchmonkey"};
    }
    void fileSearchTool()
    {
        QFETCH(QStringList, installed);
        QFETCH(QStringList, command);
        FakeProgramStarter programs;
        for (const QString &name : installed)
            programs.installed.insert(name, "/usr/bin/" + name);
        const std::optional<ProgramCommand> chosen = FileSearchCommand(programs, "/b/");
        QCOMPARE(chosen ? QStringList{chosen->program} + chosen->arguments : QStringList{}, command);
    }

    void fileFindStartsTheSearchToolElseTheFileManager()
    {
        fakes_.programs.installed.insert("kfind", "/usr/bin/kfind");
        launchers_.fileFind();
        QCOMPARE(fakes_.programs.started, QList<QStringList>{QStringList({"/usr/bin/kfind", books()})});
        QVERIFY(fakes_.shell.opened.isEmpty());

        fakes_.programs.startSucceeds = false; // installed but broken
        launchers_.fileFind();
        QCOMPARE(fakes_.shell.opened, QList<QUrl>{QUrl::fromLocalFile(books())});

        fakes_.programs.installed.clear();
        launchers_.fileFind();
        QCOMPARE(fakes_.shell.opened.size(), 2);
        QCOMPARE(cueNames(fakes_.sound), QStringList(3, "metaliccrystal.wav"));
        QVERIFY(fakes_.messages.shown.isEmpty());
    }

    void winExplorerOpensTheDirectoryWithBlanksEncoded()
    {
        launchers_.winExplorer();
        QCOMPARE(cueNames(fakes_.sound), QStringList{"metaliccrystal.wav"});
        QCOMPARE(fakes_.shell.opened.size(), 1);
        QVERIFY(fakes_.shell.opened[0].toEncoded().endsWith("/My%20Books/"));
        QCOMPARE(fakes_.shell.opened[0].toLocalFile(), books());
    }

    void directoryLaunchersSayWhatStoppedThem_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<bool>("handlerMissing");
        QTest::addColumn<QString>("message");
        QTest::newRow("no directory set") << "" << false << "Choose the E-Book directory";
        QTest::newRow("directory missing") << "/no/such/dir/" << false << "does not exist";
        QTest::newRow("no file manager") << "books" << true << "No file manager could be started";
    }
    void directoryLaunchersSayWhatStoppedThem()
    {
        QFETCH(QString, directory);
        QFETCH(bool, handlerMissing);
        QFETCH(QString, message);
        settings_.ConfigEbookDir = directory == "books" ? books() : directory;
        fakes_.shell.succeeds = !handlerMissing;
        launchers_.winExplorer();
        QCOMPARE(cueNames(fakes_.sound), QStringList{"metaliccrystal.wav"}); // the cue comes first
        QCOMPARE(fakes_.messages.shown.size(), 1);
        QCOMPARE(fakes_.messages.shown[0].first, QString("Shelvana"));
        QVERIFY2(fakes_.messages.shown[0].second.contains(message), qPrintable(fakes_.messages.shown[0].second));
    }

    void viewListOpensTheChosenList()
    {
        settings_.ConfigListDir = dir_.filePath("List Dir") + "/";
        settings_.ConfigTreeViewList = 1;
        settings_.configTableList = 1;
        WriteTestFile(settings_.ConfigListDir + "EBookTree.html", "<html>");
        launchers_.viewList();
        QCOMPARE(fakes_.shell.opened, QList<QUrl>{QUrl::fromLocalFile(settings_.ConfigListDir + "EBookTree.html")});
        QVERIFY(fakes_.shell.opened[0].toEncoded().contains("/List%20Dir/EBookTree.html"));
        QVERIFY(fakes_.sound.played.isEmpty());
    }

    void viewListCases_data()
    {
        QTest::addColumn<bool>("listDirSet");
        QTest::addColumn<bool>("textOn");
        QTest::addColumn<QString>("message"); // empty: silent
        QTest::newRow("all off does nothing") << true << false << "";
        QTest::newRow("list never made") << true << true << "has not been made yet";
        QTest::newRow("no list directory") << false << true << "Choose the List directory";
    }
    void viewListCases()
    {
        QFETCH(bool, listDirSet);
        QFETCH(bool, textOn);
        QFETCH(QString, message);
        settings_.ConfigListDir = listDirSet ? dir_.filePath("empty") + "/" : QString();
        settings_.ConfigTextList = textOn ? 1 : 0;
        launchers_.viewList();
        QVERIFY(fakes_.shell.opened.isEmpty());
        if (message.isEmpty()) {
            QVERIFY(fakes_.messages.shown.isEmpty());
        } else {
            QCOMPARE(fakes_.messages.shown.size(), 1);
            QVERIFY(fakes_.messages.shown[0].second.contains(message));
        }
    }

    void goWarnsWithoutTitleOrAuthor()
    {
        launchers_.goToWebPage("", "", QString("https://x/?q="));
        QCOMPARE(cueNames(fakes_.sound), QStringList{"static1.wav"});
        QCOMPARE(fakes_.messages.shown, (QList<QPair<QString, QString>>{
                                            {"Warning:", "You must enter something under Title OR Author"}}));
        QVERIFY(fakes_.shell.opened.isEmpty());
    }

    void goOpensTheExactAddress_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QByteArray>("address");
        QTest::newRow("hobbit") << "The Hobbit" << "J R R Tolkien"
                                << QByteArray("https://www.google.com/search?q=The+Hobbit+J+R+R+Tolkien");
        QTest::newRow("author only") << "" << "Tolkien" << QByteArray("https://www.google.com/search?q=+Tolkien");
        QTest::newRow("title only") << "Dune" << "" << QByteArray("https://www.google.com/search?q=Dune+");
        QTest::newRow("encoded") << "C# & Co" << "Bø" << QByteArray("https://www.google.com/search?q=C%23+%26+Co+B%C3%B8");
    }
    void goOpensTheExactAddress()
    {
        QFETCH(QString, title);
        QFETCH(QString, author);
        QFETCH(QByteArray, address);
        launchers_.goToWebPage(title, author, QString("https://www.google.com/search?q="));
        QCOMPARE(fakes_.shell.opened.size(), 1);
        QCOMPARE(fakes_.shell.opened[0].toEncoded(), address);
        QVERIFY(fakes_.messages.shown.isEmpty());
    }

    void goWithoutLinkOrBrowserSaysSo()
    {
        launchers_.goToWebPage("Dune", "", std::nullopt);
        QVERIFY(fakes_.shell.opened.isEmpty());
        fakes_.shell.succeeds = false;
        launchers_.goToWebPage("Dune", "", QString("https://x/?q="));
        QCOMPARE(fakes_.messages.shown.size(), 2);
        QVERIFY(fakes_.messages.shown[0].second.contains("names no link"));
        QVERIFY(fakes_.messages.shown[1].second.contains("No web browser"));
        QCOMPARE(cueNames(fakes_.sound), QStringList(2, "static1.wav"));
    }

    void soundOffPlaysNothing()
    {
        settings_.ConfigSound = 0;
        launchers_.goToWebPage("", "", std::nullopt);
        launchers_.fileFind();
        launchers_.winExplorer();
        QVERIFY(fakes_.sound.played.isEmpty());
        settings_.ConfigSound = 5; // any non-zero value is on
        launchers_.winExplorer();
        QCOMPARE(cueNames(fakes_.sound), QStringList{"metaliccrystal.wav"});
    }

    void editBrowserLinksOpensTheFileInTheEditor()
    {
        launchers_.editBrowserLinks("/opt/shelvana/Links.txt");
        QCOMPARE(fakes_.shell.opened, QList<QUrl>{QUrl::fromLocalFile("/opt/shelvana/Links.txt")});
        fakes_.shell.succeeds = false;
        launchers_.editBrowserLinks("/opt/shelvana/Links.txt");
        QCOMPARE(fakes_.messages.shown.size(), 1);
        QVERIFY(fakes_.messages.shown[0].second.contains("No text editor"));
    }
};

QTEST_GUILESS_MAIN(TestLaunchers)
#include "test_launchers.moc"
