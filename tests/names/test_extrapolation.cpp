#include "names/comment_lookup.h"
#include "names/display_text.h"
#include "names/extrapolation.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(FileInfo)

namespace {

// The comment table as the analysis sees it: File compared without regard to case,
// the first match becomes current, a failed find leaves the current record alone.
class FakeCommentTable : public CommentLookup
{
public:
    explicit FakeCommentTable(QStringList files) : files(std::move(files)) {}

    QString findFile(const QString &fileName) override
    {
        asked.append(fileName);
        for (qsizetype i = 0; i < files.size(); ++i) {
            if (files[i].compare(fileName, Qt::CaseInsensitive) == 0) {
                current = i;
                break;
            }
        }
        return current >= 0 ? files[current] : QString();
    }

    QStringList files;
    QStringList asked;
    qsizetype current = -1;
};

FileInfo EarlierFields()
{
    return FileInfo{QStringLiteral("old.pdf"), QStringLiteral("Old Author"), QStringLiteral("Old Title"),
                    Indicator::Green};
}

QString RandomPath(QRandomGenerator &random, qsizetype pieces)
{
    static const QStringList bits = {"a", "Zy", "Asimov", " ", " by ", "_-_", "-", ".", "_", "/", "\\", "(", ")",
                                     "[", "]", "'", "\r\n", "\n", "\t", "C:", QString(QChar(0xFFFD)),
                                     QString(QChar(0)), QString(QChar(0xE9)), "<no files in clipboard>"};
    QString path;
    for (qsizetype i = 0; i < pieces; ++i)
        path += bits[random.bounded(int(bits.size()))];
    return path;
}

} // namespace

class TestExtrapolation : public QObject
{
    Q_OBJECT

private slots:
    // Each row is written with "\" and also run with "/" as the separator.
    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("title");
        QTest::newRow("author - title") << "C:\\Books\\Asimov\\Isaac Asimov - Foundation.pdf"
                                        << "Isaac Asimov - Foundation.pdf" << "Isaac Asimov" << "Foundation";
        QTest::newRow("_-_ before -") << "C:\\Books\\Isaac_Asimov_-_Foundation.txt" << "Isaac_Asimov_-_Foundation.txt"
                                      << "Isaac Asimov" << "Foundation";
        QTest::newRow("first hyphen splits") << "C:\\Books\\Jean-Paul Sartre - Nausea.txt"
                                             << "Jean-Paul Sartre - Nausea.txt" << "Jean" << "Paul Sartre Nausea";
        QTest::newRow("last dot starts extension") << "C:\\Books\\Asimov - Foundation.Vol2.pdf"
                                                   << "Asimov - Foundation.Vol2.pdf" << "Asimov" << "Foundation Vol2";
        QTest::newRow("title by author") << "C:\\Books\\Foundation by Isaac Asimov.txt"
                                         << "Foundation by Isaac Asimov.txt" << "Isaac Asimov" << "Foundation";
        QTest::newRow("title_by_author") << "C:\\Books\\Foundation_by_Isaac_Asimov.txt"
                                         << "Foundation_by_Isaac_Asimov.txt" << "Isaac Asimov" << "Foundation";
        QTest::newRow("hyphen rule drops remark") << "C:\\Books\\Isaac Asimov - Foundation (1951).txt"
                                                  << "Isaac Asimov - Foundation (1951).txt" << "Isaac Asimov"
                                                  << "Foundation";
        QTest::newRow("by rule keeps remark") << "C:\\Books\\Foundation (1951) by Isaac Asimov.txt"
                                              << "Foundation (1951) by Isaac Asimov.txt" << "Isaac Asimov"
                                              << "Foundation 1951";
        QTest::newRow("capital By is no separator") << "C:\\Books\\Foundation By Isaac Asimov.txt"
                                                    << "Foundation By Isaac Asimov.txt" << "Books"
                                                    << "Foundation By Isaac Asimov";
        QTest::newRow("folder, no shared word") << "C:\\Books\\Isaac Asimov\\Foundation.txt" << "Foundation.txt"
                                                << "Isaac Asimov" << "Foundation";
        QTest::newRow("folder, shared word") << "C:\\Books\\Isaac Asimov\\Asimov Foundation.txt"
                                             << "Asimov Foundation.txt" << "Asimov" << "Foundation";
        QTest::newRow("shared word inside title") << "C:\\Books\\Isaac Asimov\\The Asimov Collection.txt"
                                                  << "The Asimov Collection.txt" << "Asimov" << "The  Collection";
        QTest::newRow("folder word matches twice") << "C:\\Books\\Asimov\\Asimov Asimov Tales.txt"
                                                   << "Asimov Asimov Tales.txt" << "Asimov Asimov" << "Tales";
        QTest::newRow("folder word repeated") << "C:\\Books\\Asimov Asimov\\asimov tales.txt" << "asimov tales.txt"
                                              << "Asimov" << "Tales";
        QTest::newRow("nothing after hyphen") << "C:\\Books\\Asimov-.txt" << "Asimov-.txt" << "Asimov"
                                              << "Old Title";
        QTest::newRow("nothing after _-_") << "C:\\Books\\Asimov_-_.txt" << "Asimov_-_.txt" << "Asimov"
                                           << "Old Title";
        QTest::newRow("nothing after by") << "C:\\Books\\Foundation by .txt" << "Foundation by .txt" << "Old Author"
                                          << "Foundation";
        QTest::newRow("nothing before hyphen") << "C:\\Books\\-Foundation.txt" << "-Foundation.txt" << ""
                                               << "Foundation";
        QTest::newRow("drive root") << "C:\\Foundation.txt" << "Foundation.txt" << "C" << "Foundation";
        QTest::newRow("no dot") << "C:\\Books\\Isaac Asimov\\Foundation" << "Foundation" << "Isaac Asimov"
                                << "Foundation";
        QTest::newRow("dot only in folder") << "C:\\Books\\Dr.Who\\Asimov - Foundation" << "Asimov - Foundation"
                                            << "Asimov" << "Foundation";
        QTest::newRow("bare file name") << "Foundation.txt" << "Foundation.txt" << "" << "Foundation";
        QTest::newRow("several paths: the last counts")
            << "C:\\A\\x - y.txt\r\nC:\\Books\\Isaac Asimov\\Foundation.txt" << "Foundation.txt" << "Isaac Asimov"
            << "Foundation";
        QTest::newRow("several paths, last in a root") << "C:\\Books\\Asimov\\a.txt\r\nC:\\Foundation"
                                                       << "Foundation" << "C" << "Foundation";
        QTest::newRow("trailing line break") << "C:\\Books\\Asimov - Foundation.txt\r\n"
                                             << "Asimov - Foundation.txt" << "Asimov" << "Foundation";
        QTest::newRow("accented author") << QStringLiteral("C:\\Books\\Émile Zola - Germinal.pdf")
                                         << QStringLiteral("Émile Zola - Germinal.pdf") << QStringLiteral("Émile Zola")
                                         << "Germinal";
        QTest::newRow("accented title by author")
            << QStringLiteral("C:\\Livres\\L'Étranger by Albert Camus.epub")
            << QStringLiteral("L'Étranger by Albert Camus.epub") << "Albert Camus" << QStringLiteral("L' Étranger");
        QTest::newRow("Cyrillic") << QStringLiteral("C:\\Книги\\Лев Толстой - Война и мир.fb2")
                                  << QStringLiteral("Лев Толстой - Война и мир.fb2") << QStringLiteral("Лев Толстой")
                                  << QStringLiteral("Война И Мир");
        QTest::newRow("Cyrillic folder shares a word")
            << QStringLiteral("C:\\Книги\\Фёдор Достоевский\\Достоевский Идиот.txt")
            << QStringLiteral("Достоевский Идиот.txt") << QStringLiteral("Достоевский") << QStringLiteral("Идиот");
        QTest::newRow("Greek") << QStringLiteral("C:\\Βιβλία\\ΟΜΗΡΟΣ_-_ΟΔΥΣΣΕΙΑ.pdf")
                               << QStringLiteral("ΟΜΗΡΟΣ_-_ΟΔΥΣΣΕΙΑ.pdf") << QStringLiteral("Ομηρος")
                               << QStringLiteral("Οδυσσεια");
        QTest::newRow("Greek folder") << QStringLiteral("C:\\Βιβλία\\Νίκος Καζαντζάκης\\Ο Καπετάν Μιχάλης.epub")
                                      << QStringLiteral("Ο Καπετάν Μιχάλης.epub") << QStringLiteral("Νίκος Καζαντζάκης")
                                      << QStringLiteral("Ο Καπετάν Μιχάλης");
    }
    void fields()
    {
        QFETCH(QString, text);
        QFETCH(QString, file);
        QFETCH(QString, author);
        QFETCH(QString, title);
        const FileInfo expected{file, author, title, Indicator::Grey};

        const Analysis windows = ExtrapolateAuthorTitle(text, EarlierFields(), nullptr, QLatin1Char('\\'));
        QCOMPARE(windows.info, expected);
        QVERIFY(windows.emptyClipboard);

        const QString linuxText = QString(text).replace(QLatin1Char('\\'), QLatin1Char('/'));
        const Analysis linux = ExtrapolateAuthorTitle(linuxText, EarlierFields(), nullptr);
        QCOMPARE(linux.info, expected);
        QVERIFY(linux.emptyClipboard);
    }

    void nothingToAnalyse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("drive root") << "C:\\";
        QTest::newRow("no files") << kNoFilesInClipboard;
        QTest::newRow("only line breaks") << "\r\n\r\n";
        QTest::newRow("last of several is a root") << "C:\\Books\\a.txt\r\nD:\\";
    }
    void nothingToAnalyse()
    {
        QFETCH(QString, text);
        FakeCommentTable table({QStringLiteral("a.txt")});
        const Analysis analysis = ExtrapolateAuthorTitle(text, EarlierFields(), &table, QLatin1Char('\\'));
        QCOMPARE(analysis.info, EarlierFields());
        QVERIFY(!analysis.emptyClipboard);
        QVERIFY(table.asked.isEmpty());
    }

    void indicator_data()
    {
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<qsizetype>("current");
        QTest::newRow("record found") << QStringList{"x.txt", "Asimov - Foundation.pdf"}
                                      << "/b/Asimov - Foundation.pdf" << "Asimov - Foundation.pdf"
                                      << Indicator::Green << qsizetype(1);
        QTest::newRow("apostrophe") << QStringList{"O'Brien - Tales.txt"} << "/b/O'Brien - Tales.txt"
                                    << "O'Brien - Tales.txt" << Indicator::Green << qsizetype(0);
        QTest::newRow("case differs: found, but grey")
            << QStringList{"asimov - foundation.pdf"} << "/b/Asimov - Foundation.pdf"
            << "Asimov - Foundation.pdf" << Indicator::Grey << qsizetype(0);
        QTest::newRow("two records: first one") << QStringList{"a.txt", "A.txt", "A.txt"} << "/b/A.txt"
                                                << "A.txt" << Indicator::Grey << qsizetype(0);
        QTest::newRow("no record") << QStringList{"x.txt"} << "/b/y.txt" << "y.txt" << Indicator::Grey
                                   << qsizetype(-1);
    }
    void indicator()
    {
        QFETCH(QStringList, records);
        QFETCH(QString, path);
        QFETCH(QString, asked);
        QFETCH(Indicator, indicator);
        QFETCH(qsizetype, current);
        FakeCommentTable table(records);
        const Analysis analysis = ExtrapolateAuthorTitle(path, EarlierFields(), &table);
        QCOMPARE(table.asked, QStringList{asked});
        QCOMPARE(analysis.info.indicator, indicator);
        QCOMPARE(table.current, current);
    }

    void indicatorTurnsGreyWhenTheNextFileHasNoRecord()
    {
        FakeCommentTable table({QStringLiteral("a.txt")});
        const Analysis first = ExtrapolateAuthorTitle("/b/a.txt", FileInfo{}, &table);
        QCOMPARE(first.info.indicator, Indicator::Green);
        const Analysis second = ExtrapolateAuthorTitle("/b/b.txt", first.info, &table);
        QCOMPARE(second.info.indicator, Indicator::Grey);
    }

    void withoutTableTheIndicatorIsGrey()
    {
        const Analysis analysis = ExtrapolateAuthorTitle("/b/a.txt", EarlierFields(), nullptr);
        QCOMPARE(analysis.info.indicator, Indicator::Grey);
    }

    void matchFolderWordsLeavesFieldsAloneWithoutSharedWord()
    {
        QVERIFY(!MatchFolderWords("Isaac Asimov", "Foundation"));
        QVERIFY(!MatchFolderWords("", "Foundation"));
        QVERIFY(!MatchFolderWords("Asimov", ""));
    }

    // Random texts: no failure, no hang; an analysis either leaves everything as it
    // was or sets a file name free of separators and line breaks, and clean fields.
    void randomTextsKeepInvariants()
    {
        QRandomGenerator random(777);
        FakeCommentTable table({QStringLiteral("Asimov - a.txt"), QStringLiteral("a")});
        FileInfo info = EarlierFields();
        for (int round = 0; round < 3000; ++round) {
            const qsizetype pieces = round % 200 == 0 ? 12000 : random.bounded(1, 30);
            const QString text = RandomPath(random, pieces);
            const Analysis analysis = ExtrapolateAuthorTitle(text, info, &table);
            if (!analysis.emptyClipboard) {
                QCOMPARE(analysis.info, info);
                continue;
            }
            const FileInfo &next = analysis.info;
            QVERIFY(!next.file.isEmpty());
            QVERIFY(!next.file.contains(QLatin1Char('/')) && !next.file.contains(QLatin1Char('\n'))
                    && !next.file.contains(QLatin1Char('\r')));
            QVERIFY(next.author == info.author || OnlyDisplayCharacters(next.author));
            QVERIFY(next.title == info.title || OnlyDisplayCharacters(next.title));
            info = next;
        }
    }

    void longFolderAndNameStayQuick()
    {
        QString words;
        for (int i = 0; i < 20000; ++i)
            words += QStringLiteral("w ");
        const Analysis analysis = ExtrapolateAuthorTitle("/" + words + "/" + words, FileInfo{}, nullptr);
        QVERIFY(analysis.emptyClipboard);
        QCOMPARE(analysis.info.author.count(QLatin1Char('W')), 20000);
        QVERIFY(analysis.info.title.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestExtrapolation)
#include "test_extrapolation.moc"
