#include "shell/web_search.h"

#include <QTest>

class TestWebSearch : public QObject
{
    Q_OBJECT

private slots:
    void searchWords_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("words");
        QTest::newRow("title and author") << "The Hobbit" << "J R R Tolkien" << "The+Hobbit+J+R+R+Tolkien";
        QTest::newRow("author only keeps the joining blank") << "" << "Tolkien" << "+Tolkien";
        QTest::newRow("title only") << "Dune" << "" << "Dune+";
        QTest::newRow("outer blanks trimmed") << "  Dune  " << " Frank Herbert " << "Dune+Frank+Herbert";
        QTest::newRow("blank-only title contributes nothing") << "   " << "Tolkien" << "+Tolkien";
        QTest::newRow("two blanks inside") << "The  Hobbit" << "" << "The++Hobbit+";
        QTest::newRow("query characters encoded") << "C# & Co" << "" << "C%23+%26+Co+";
        QTest::newRow("question, equals, percent") << "Why?" << "a=b 100%" << "Why%3F+a%3Db+100%25";
        QTest::newRow("plus inside a word") << "C++ Primer" << "" << "C%2B%2B+Primer+";
        QTest::newRow("non-ASCII as UTF-8") << "Bücher" << "Čapek" << "B%C3%BCcher+%C4%8Capek";
        QTest::newRow("control characters") << "a\tb" << "" << "a%09b+";
        QTest::newRow("other punctuation unchanged") << "Tom's (1st) ed." << "O'Brien" << "Tom's+(1st)+ed.+O'Brien";
    }
    void searchWords()
    {
        QFETCH(QString, title);
        QFETCH(QString, author);
        QFETCH(QString, words);
        QCOMPARE(SearchWords(title, author), words);
    }

    void addressIsPrefixThenWords()
    {
        QCOMPARE(SearchAddress("https://www.google.com/search?q=", "The Hobbit", "J R R Tolkien"),
                 QString("https://www.google.com/search?q=The+Hobbit+J+R+R+Tolkien"));
    }

    void needsTitleOrAuthor_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("author");
        QTest::addColumn<bool>("subject");
        QTest::newRow("both empty") << "" << "" << false;
        QTest::newRow("title") << "Dune" << "" << true;
        QTest::newRow("author") << "" << "Herbert" << true;
        QTest::newRow("blanks count as entered") << " " << "" << true;
    }
    void needsTitleOrAuthor()
    {
        QFETCH(QString, title);
        QFETCH(QString, author);
        QFETCH(bool, subject);
        QCOMPARE(HasSearchSubject(title, author), subject);
    }

    void chosenLink_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("chosen"); // -1: none
        const QStringList names{"Google", "Open Library", "Wikipedia", "Google"};
        QTest::newRow("selected entry") << names << 2 << "Wikipedia" << 2;
        QTest::newRow("selected duplicate stays") << names << 3 << "Google" << 3;
        QTest::newRow("typed name of another entry") << names << 0 << "Open Library" << 1;
        QTest::newRow("typed text naming no link") << names << 0 << "Goo" << -1;
        QTest::newRow("case matters") << names << 0 << "google" << -1;
        QTest::newRow("no links") << QStringList{} << -1 << "" << -1;
    }
    void chosenLink()
    {
        QFETCH(QStringList, names);
        QFETCH(int, selected);
        QFETCH(QString, text);
        QFETCH(int, chosen);
        QCOMPARE(ChosenLink(names, selected, text).value_or(-1), chosen);
    }
};

QTEST_GUILESS_MAIN(TestWebSearch)
#include "test_web_search.moc"
