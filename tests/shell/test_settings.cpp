#include "base/settings_file.h"
#include "base/text_lines.h"
#include "fakes/fake_directory_picker.h"
#include "shell/config_commands.h"
#include "support/test_files.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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

    void readableFileReportsNoProblem()
    {
        QTemporaryDir dir;
        QString problem = "stale";
        LoadSettings(dir.filePath("absent.txt"), &problem);
        QCOMPARE(problem, QString());
        const QString path = dir.filePath("Path.txt");
        WriteTestFile(path, "/books/\r\n/lists/\r\n 1 \r\n 0 \r\n 1 \r\nTitle\twith tab\r\n 0 \r\n");
        problem = "stale";
        QCOMPARE(LoadSettings(path, &problem).ConfigListTitle, QString("Title\twith tab"));
        QCOMPARE(problem, QString());
    }

    // Whatever stands at the settings file's place, the program starts at once from the
    // initial values and says why.
    void badFileGivesInitialValuesAndSaysWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("expected");
        QTest::newRow("FIFO") << "fifo" << "is damaged: it is not a regular file";
        QTest::newRow("device") << "device" << "is damaged: it is not a regular file";
        QTest::newRow("folder") << "folder" << "is damaged: it is not a regular file";
        QTest::newRow("huge file") << "huge" << "is damaged: it is larger than 64 KiB";
        QTest::newRow("unreadable") << "unreadable" << "cannot be read: ";
        QTest::newRow("control characters")
            << "binary" << "is damaged: line 2 holds a control character: \"\\x00\\x01bin\\tary\\x7f"
                           + QString(30, 'x') + "\u2026\"";
        QTest::newRow("not UTF-8") << "latin1" << "is damaged: line 1 is not UTF-8 text: \"/B\ufffdcher/\"";
    }
    void badFileGivesInitialValuesAndSaysWhy()
    {
        QFETCH(QString, kind);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString path = dir.filePath("Path.txt");
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == "device") {
            path = "/dev/zero";
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "huge") {
            WriteTestFile(path, "/books/\r\n" + QByteArray(65 * 1024, 'x'));
        } else if (kind == "unreadable") {
            WriteTestFile(dir.filePath("file"), "not a folder");
            path = dir.filePath("file/Path.txt");
        } else if (kind == "binary") {
            WriteTestFile(path, "/books/\r\n" + QByteArray("\0\x01" "bin\tary\x7f", 10) + QByteArray(40, 'x') + "\r\n");
        } else if (kind == "latin1") {
            WriteTestFile(path, "/B\xfc" "cher/\r\n/lists/\r\n 1 \r\n");
        }
        QElapsedTimer clock;
        clock.start();
        QString problem;
        QCOMPARE(LoadSettings(path, &problem), Settings());
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY2(problem.startsWith("The settings file \"" + path + "\" "), qPrintable(problem));
        QVERIFY2(problem.contains(expected), qPrintable(problem));
        QVERIFY2(problem.endsWith("The program starts from the initial settings."), qPrintable(problem));
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
