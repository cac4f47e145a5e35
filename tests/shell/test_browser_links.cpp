#include "shell/browser_links.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

class TestBrowserLinks : public QObject
{
    Q_OBJECT

private slots:
    void parsesPairs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("prefixes");
        QTest::newRow("comments before, between and inside pairs")
            << "# links\r\nOne\r\n# inside\r\nhttps://one/?q=\r\n\r\n#between\r\nTwo\r\n\r\nhttps://two/?q=\r\n"
            << QStringList{"One", "Two"} << QStringList{"https://one/?q=", "https://two/?q="};
        QTest::newRow("blanks trimmed, blank line empty, indented hash a comment")
            << "  One  \r\n   \r\n   # word\r\n https://one/?q= \r\n"
            << QStringList{"One"} << QStringList{"https://one/?q="};
        QTest::newRow("tabs are not blanks") << "\tOne\r\nhttps://one/\t\r\n" << QStringList{"\tOne"}
                                             << QStringList{"https://one/\t"};
        QTest::newRow("hash inside a line is text") << "C# books\r\nhttps://x/#q=\r\n" << QStringList{"C# books"}
                                                    << QStringList{"https://x/#q="};
        QTest::newRow("comments after the last pair") << "One\r\nhttps://one/\r\n# end\r\n\r\n   \r\n"
                                                       << QStringList{"One"} << QStringList{"https://one/"};
        QTest::newRow("unpaired last name dropped") << "One\r\nhttps://one/\r\nTwo\r\n# no address\r\n"
                                                    << QStringList{"One"} << QStringList{"https://one/"};
        QTest::newRow("lone CR endings") << "One\rhttps://one/\rTwo\rhttps://two/" << QStringList{"One", "Two"}
                                         << QStringList{"https://one/", "https://two/"};
        QTest::newRow("LF endings, no final line end") << "One\nhttps://one/" << QStringList{"One"}
                                                       << QStringList{"https://one/"};
        QTest::newRow("empty") << "" << QStringList{} << QStringList{};
    }
    void parsesPairs()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        QFETCH(QStringList, prefixes);
        const BrowserLinks links = ParseLinks(text);
        QCOMPARE(links.names, names);
        QCOMPARE(links.prefixes, prefixes);
        QVERIFY(links.problem.isEmpty());
    }

    void unusableFileGivesNoLinksAndSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << "could not be read";
        QTest::newRow("binary") << QByteArray("One\r\nhttps://one/\r\n\0\x01\x02", 20) << "not a text file";
        QTest::newRow("huge") << QByteArray(kMaxLinksFileBytes + 1, 'a') << "too large";
    }
    void unusableFileGivesNoLinksAndSaysWhy()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("Links.txt");
        if (!content.isEmpty())
            WriteTestFile(path, content);
        const BrowserLinks links = LoadLinks(path);
        QVERIFY(links.names.isEmpty());
        QVERIFY(links.prefixes.isEmpty());
        QVERIFY2(links.problem.contains(reason), qPrintable(links.problem));
        QVERIFY(links.problem.contains(path));
    }

    void readsUtf8File()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Links.txt");
        WriteTestFile(path, "Bücherei\r\nhttps://b\xc3\xbc" "cher/?q=\r\n");
        const BrowserLinks links = LoadLinks(path);
        QCOMPARE(links.names, QStringList{QStringLiteral("Bücherei")});
        QCOMPARE(links.prefixes, QStringList{QStringLiteral("https://bücher/?q=")});
        QVERIFY(links.problem.isEmpty());
    }

    void shippedLinksFileHasUsefulLinks()
    {
        const BrowserLinks links = LoadLinks(qEnvironmentVariable("SHELVANA_BUILD_DIR") + "/Links.txt");
        QVERIFY(links.problem.isEmpty());
        QVERIFY(links.names.size() >= 4);
        QCOMPARE(links.names.size(), links.prefixes.size());
        for (const QString &prefix : links.prefixes)
            QVERIFY2(prefix.startsWith("https://"), qPrintable(prefix));
    }
};

QTEST_GUILESS_MAIN(TestBrowserLinks)
#include "test_browser_links.moc"
