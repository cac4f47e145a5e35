#include "lists/entry_names.h"

#include <QRegularExpression>
#include <QTest>

class TestEntryNames : public QObject
{
    Q_OBJECT

private slots:
    void treeNames_data();
    void treeNames();
    void trailingSeparatorGivesSameIdentifier_data();
    void trailingSeparatorGivesSameIdentifier();
    void identifierIsAlwaysAScriptName_data();
    void identifierIsAlwaysAScriptName();
    void stripApostrophes_data();
    void stripApostrophes();
};

// Identifier, parent reference and shown name, as the tree list uses them.
void TestEntryNames::treeNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("parentReference");
    QTest::addColumn<QString>("shownName");

    const QChar backslash(u'\\');
    QTest::newRow("windows folder") << "C:\\Books" << backslash << "C__Books" << "C_" << "Books";
    QTest::newRow("windows blanks and ampersand") << "C:\\Books\\Sci-Fi & Fantasy" << backslash
                                                  << "C__Books_Sci_Fi___Fantasy" << "C__Books" << "Sci-Fi & Fantasy";
    QTest::newRow("windows apostrophe") << "D:\\Tom's Books\\Vol.2" << backslash << "D__Tom_s_Books_Vol_2"
                                        << "D__Tom_s_Books" << "Vol.2";
    QTest::newRow("windows drive root") << "D:\\" << backslash << "D_" << "_" << "D:";
    QTest::newRow("windows share") << "\\\\Server\\Share\\E-Books" << backslash << "__Server_Share_E_Books"
                                   << "__Server_Share" << "E-Books";
    QTest::newRow("windows accented") << "C:\\Books\\Café" << backslash << "C__Books_Caf_" << "C__Books" << "Café";

    const QChar slash(u'/');
    QTest::newRow("folder") << "/home/ann/Books" << slash << "_home_ann_Books" << "_home_ann" << "Books";
    QTest::newRow("folder in the root") << "/books" << slash << "_books" << "_" << "books";
    // The root trims to nothing; it still needs a name and an identifier.
    QTest::newRow("root") << "/" << slash << "_" << "_" << "/";
    QTest::newRow("apostrophe") << "/Books/Tom's" << slash << "_Books_Tom_s" << "_Books" << "Tom's";
    QTest::newRow("backslash is a name character") << "/Books/a\\b" << slash << "_Books_a_b" << "_Books" << "a\\b";
    QTest::newRow("character outside the basic plane") << QString::fromUtf8("/Books/\xF0\x9F\x93\x9A") << slash
                                                       << "_Books__" << "_Books"
                                                       << QString::fromUtf8("\xF0\x9F\x93\x9A");
    QTest::newRow("relative path starting with a digit") << "2024/SF" << slash << "_2024_SF" << "_2024" << "SF";
    // Only an ASCII digit could start a script name; any other becomes "_" itself.
    QTest::newRow("relative path starting with another digit") << QString::fromUtf8("\xD9\xA3/SF") << slash << "__SF"
                                                               << "_" << "SF";
    QTest::newRow("lone surrogates") << "/Books/x" + QString(QChar(0xD83D)) + "y" + QString(QChar(0xDCDA)) << slash
                                     << "_Books_x_y_" << "_Books" << "x" + QString(QChar(0xD83D)) + "y" + QString(QChar(0xDCDA));
}

void TestEntryNames::treeNames()
{
    QFETCH(QString, path);
    QFETCH(QChar, separator);
    QFETCH(QString, identifier);
    QFETCH(QString, parentReference);
    QFETCH(QString, shownName);

    QCOMPARE(FolderIdentifier(path, separator), identifier);
    QCOMPARE(FolderIdentifier(ParentPath(path, separator), separator), parentReference);
    QCOMPARE(LastPathPart(path, separator), shownName);
}

void TestEntryNames::trailingSeparatorGivesSameIdentifier_data()
{
    QTest::addColumn<QString>("configured");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QChar>("separator");

    QTest::newRow("windows folder") << "C:\\Books\\" << "C:\\Books" << QChar(u'\\');
    QTest::newRow("windows drive root") << "D:\\" << "D:\\" << QChar(u'\\');
    QTest::newRow("folder") << "/home/ann/Books/" << "/home/ann/Books" << QChar(u'/');
    QTest::newRow("root") << "/" << "/" << QChar(u'/');
}

void TestEntryNames::trailingSeparatorGivesSameIdentifier()
{
    QFETCH(QString, configured);
    QFETCH(QString, listed);
    QFETCH(QChar, separator);

    QCOMPARE(FolderIdentifier(configured, separator), FolderIdentifier(listed, separator));
    QCOMPARE(LastPathPart(configured, separator), LastPathPart(listed, separator));
}

void TestEntryNames::identifierIsAlwaysAScriptName_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("empty") << "";
    QTest::newRow("root") << "/";
    QTest::newRow("digit first") << "9";
    QTest::newRow("line break") << "/Books/a\nb";
    QTest::newRow("carriage return") << "/Books/a\rb";
    QTest::newRow("markup") << "/Books/</SCRIPT><b>\"x\"";
    QTest::newRow("replacement character") << QString::fromUtf8("/Books/a\xEF\xBF\xBD");
    QTest::newRow("script syntax") << "/Books/a');alert(1);//";
}

void TestEntryNames::identifierIsAlwaysAScriptName()
{
    QFETCH(QString, path);

    static const QRegularExpression scriptName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    QVERIFY2(scriptName.match(FolderIdentifier(path)).hasMatch(), qPrintable(FolderIdentifier(path)));
}

void TestEntryNames::stripApostrophes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stripped");

    QTest::newRow("one") << "Tom's Guide.txt" << "Toms Guide.txt";
    QTest::newRow("several") << "'a''b'" << "ab";
    QTest::newRow("other quotes stay") << "\"a\" `b` \u2019c" << "\"a\" `b` \u2019c";
    QTest::newRow("none") << "Tom & Jerry.txt" << "Tom & Jerry.txt";
}

void TestEntryNames::stripApostrophes()
{
    QFETCH(QString, name);
    QFETCH(QString, stripped);

    QCOMPARE(StripApostrophes(name), stripped);
}

QTEST_GUILESS_MAIN(TestEntryNames)
#include "test_entry_names.moc"
