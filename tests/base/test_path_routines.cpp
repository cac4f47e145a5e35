#include "base/path_routines.h"

#include <QTest>

using namespace PathRoutines;

class TestPathRoutines : public QObject
{
    Q_OBJECT

private slots:
    void pieces_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("name");
        const QChar slash('/');
        const QChar backslash('\\');
        QTest::newRow("linux path") << "/home/ann/Books/Asimov - Foundation.pdf" << slash
                                    << "Asimov - Foundation.pdf" << ".pdf" << "Asimov - Foundation";
        QTest::newRow("windows path") << "C:\\Books\\Foundation.txt" << backslash << "Foundation.txt" << ".txt"
                                      << "Foundation";
        QTest::newRow("no separator") << "Foundation.txt" << slash << "Foundation.txt" << ".txt" << "Foundation";
        QTest::newRow("last dot counts") << "/b/Foundation.Vol2.pdf" << slash << "Foundation.Vol2.pdf" << ".pdf"
                                         << "Foundation.Vol2";
        QTest::newRow("no dot") << "/b/Foundation" << slash << "Foundation" << "" << "Foundation";
        QTest::newRow("dot in folder only") << "/b/Dr.Who/Foundation" << slash << "Foundation" << ".Who/Foundation"
                                            << "Foundation";
        QTest::newRow("ends in separator") << "C:\\" << backslash << "" << "" << "";
        QTest::newRow("other separator is a plain character")
            << "C:\\Books\\Foundation.txt" << slash << "C:\\Books\\Foundation.txt" << ".txt"
            << "C:\\Books\\Foundation";
        QTest::newRow("dot file") << "/b/.txt" << slash << ".txt" << ".txt" << "";
        QTest::newRow("empty") << "" << slash << "" << "" << "";
    }
    void pieces()
    {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, file);
        QFETCH(QString, extension);
        QFETCH(QString, name);
        QCOMPARE(FileNameOf(path, separator), file);
        QCOMPARE(ExtensionOf(path), extension);
        QCOMPARE(NameWithoutExtension(path, separator), name);
    }

    void joinPath_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("path");
        QTest::newRow("windows drive root") << "D:\\" << QChar(u'\\') << "D:\\x.txt";
        QTest::newRow("windows folder") << "C:\\Books" << QChar(u'\\') << "C:\\Books\\x.txt";
        QTest::newRow("root") << "/" << QChar(u'/') << "/x.txt";
        QTest::newRow("folder") << "/home/ann/Books" << QChar(u'/') << "/home/ann/Books/x.txt";
        QTest::newRow("folder with its separator") << "/home/ann/Books/" << QChar(u'/') << "/home/ann/Books/x.txt";
        QTest::newRow("current directory") << "" << QChar(u'/') << "x.txt";
    }
    void joinPath()
    {
        QFETCH(QString, folder);
        QFETCH(QChar, separator);
        QFETCH(QString, path);
        QCOMPARE(JoinPath(folder, QStringLiteral("x.txt"), separator), path);
        if (separator == u'/')
            QCOMPARE(JoinPath(folder.toUtf8(), "x.txt"), path.toUtf8());
    }
};

QTEST_APPLESS_MAIN(TestPathRoutines)
#include "test_path_routines.moc"
