#include "fakes/fake_directory_picker.h"
#include "shell/config_commands.h"
#include "shell/settings_file.h"
#include "shell/text_lines.h"
#include "support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void savesSevenPositionalLines()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Path.txt");
        Settings s;
        s.ConfigEbookDir = "/home/ann/Books/";
        s.ConfigListDir = "/home/ann/Lists/";
        s.ConfigTextList = 1;
        s.configTableList = 0;
        s.ConfigTreeViewList = 1;
        s.ConfigListTitle = "My Books";
        s.ConfigSound = 0;
        QString error;
        QVERIFY(SaveSettings(s, &error, path));
        QCOMPARE(ReadTestFile(path), QByteArray("/home/ann/Books/\r\n/home/ann/Lists/\r\n 1 \r\n 0 \r\n 1 \r\n"
                                           "My Books\r\n 0 \r\n"));
    }

    void roundTripKeepsTextExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("commas and quotes") << "Books, \"mine\", 'all'";
        QTest::newRow("outer blanks") << "  padded title  ";
        QTest::newRow("empty") << "";
        QTest::newRow("non-ASCII") << "Bücher – Café";
    }
    void roundTripKeepsTextExactly()
    {
        QFETCH(QString, text);
        QTemporaryDir dir;
        const QString path = dir.filePath("Path.txt");
        Settings s;
        s.ConfigEbookDir = text;
        s.ConfigListDir = text + "/";
        s.ConfigListTitle = text;
        s.ConfigSound = 1;
        s.configTableList = 1;
        QVERIFY(SaveSettings(s, nullptr, path));
        QCOMPARE(LoadSettings(path), s);
    }

    void parsesSwitchesByTheNumberRule_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("value");
        QTest::newRow("saved on") << " 1 " << 1;
        QTest::newRow("saved off") << " 0 " << 0;
        QTest::newRow("bare 1") << "1" << 1;
        QTest::newRow("leading blank only") << " 1" << 1;
        QTest::newRow("bare 0") << "0" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("text") << "yes" << 0;
        QTest::newRow("digits then text") << "1abc" << 1;
        QTest::newRow("half rounds to even, down") << "0.5" << 0;
        QTest::newRow("half rounds to even, up") << "1.5" << 2;
        QTest::newRow("negative") << " -1 " << -1;
        QTest::newRow("too large is clamped") << "99999999" << 32767;
    }
    void parsesSwitchesByTheNumberRule()
    {
        QFETCH(QString, line);
        QFETCH(int, value);
        QCOMPARE(int(ParseSwitch(line)), value);
    }

    void missingOrShortFileKeepsInitialValues()
    {
        QTemporaryDir dir;
        QCOMPARE(LoadSettings(dir.filePath("absent.txt")), Settings());

        const QString path = dir.filePath("Path.txt");
        WriteTestFile(path, "/books/\n/lists/\r 1 \r\n");
        Settings expected;
        expected.ConfigEbookDir = "/books/";
        expected.ConfigListDir = "/lists/";
        expected.ConfigTextList = 1;
        QCOMPARE(LoadSettings(path), expected);
    }

    void failedSaveReportsAndKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing-folder/Path.txt");
        QString error;
        QVERIFY(!SaveSettings(Settings(), &error, path));
        QVERIFY(error.contains("Path.txt"));
        QVERIFY(!QFile::exists(path));
    }

    void ensureTrailingSeparator_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");
        QTest::newRow("directory") << "/home/books" << "/" << "/home/books/";
        QTest::newRow("root") << "/" << "/" << "/";
        QTest::newRow("empty") << "" << "/" << "/";
        QTest::newRow("windows directory") << "C:\\Books" << "\\" << "C:\\Books\\";
        QTest::newRow("windows drive root") << "D:\\" << "\\" << "D:\\";
    }
    void ensureTrailingSeparator()
    {
        QFETCH(QString, path);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        QCOMPARE(EnsureTrailingBackslash(path, separator.at(0)), expected);
        QCOMPARE(path, expected);
    }

    void chooseDirectoryStoresOrKeeps()
    {
        Settings s;
        FakeDirectoryPicker picker;
        picker.answer = "/home/ann/Books";
        ChooseDirectory(s, DirectoryField::EbookDir, picker);
        QCOMPARE(s.ConfigEbookDir, QString("/home/ann/Books/"));
        QCOMPARE(picker.askedTitle, QString("Choose Directory"));
        QCOMPARE(picker.askedStart, QString());

        picker.answer.reset();
        ChooseDirectory(s, DirectoryField::EbookDir, picker);
        QCOMPARE(s.ConfigEbookDir, QString("/home/ann/Books/"));

        picker.answer = "/";
        ChooseDirectory(s, DirectoryField::ListDir, picker);
        QCOMPARE(s.ConfigListDir, QString("/"));
    }

    void splitsAnyLineEnd()
    {
        QCOMPARE(SplitTextLines("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(SplitTextLines("a\r\n\r\n"), QStringList({"a", ""}));
        QCOMPARE(JoinTextLines({"x", ""}), QString("x\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
