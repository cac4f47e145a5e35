#include "names/name_routines.h"
#include "names/display_text.h"

#include <QRandomGenerator>
#include <QTest>

using namespace NameRoutines;

using TextRoutine = QString (*)(const QString &);
Q_DECLARE_METATYPE(TextRoutine)

namespace {

bool HoldsDoubleSpace(const QString &text)
{
    return text.contains(QLatin1String("  "));
}

bool HasOuterSpace(const QString &text)
{
    return text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
}

// Texts built from the characters that steer the routines, plus control characters,
// the replacement character of broken UTF-8, non-ASCII letters and a lone surrogate.
QString RandomText(QRandomGenerator &random, qsizetype length)
{
    static const QString alphabet = QStringLiteral("aZbY09 '()[]_-.,\t\r\n/\\") + QChar(0) + QChar(0xFFFD)
                                    + QChar(0xC9) + QChar(0xE9) + QChar(0x416) + QChar(0xD800);
    QString text;
    text.reserve(length);
    for (qsizetype i = 0; i < length; ++i)
        text.append(alphabet[random.bounded(int(alphabet.size()))]);
    return text;
}

} // namespace

class TestNameRoutines : public QObject
{
    Q_OBJECT

private slots:
    void cleanName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("only spaces and others") << "  _-.,! ()" << "";
        QTest::newRow("small words") << "isaac asimov" << "Isaac Asimov";
        QTest::newRow("capital words") << "ISAAC ASIMOV" << "Isaac Asimov";
        QTest::newRow("one capital word") << "ASIMOV" << "Asimov";
        QTest::newRow("underscore") << "Isaac_Asimov" << "Isaac Asimov";
        QTest::newRow("dot") << "Vol.2" << "Vol 2";
        QTest::newRow("run-together") << "IsaacAsimov" << "Isaac Asimov";
        QTest::newRow("Mc") << "McDonald" << "Mc Donald";
        QTest::newRow("acronym before word") << "HTMLGuide" << "Html Guide";
        QTest::newRow("apostrophe") << "O'Brien" << "O' Brien";
        QTest::newRow("two words joined by underscore") << "JohnSmith_TheBook" << "Johnsmith Thebook";
        QTest::newRow("remarks dropped") << "Foundation (1951) [scan]" << "Foundation";
        QTest::newRow("only first remark cut") << "A (x) B (y)" << "A B Y";
        QTest::newRow("accented capital kept") << QStringLiteral("Émile Zola") << QStringLiteral("Émile Zola");
        QTest::newRow("digit then small letter") << "2nd edition" << "2nd Edition";
        QTest::newRow("outer and inner blanks") << "  foundation   and  empire " << "Foundation And Empire";
        QTest::newRow("capitals and digits only") << "R2D2" << "R2d2";
        QTest::newRow("closing before opening") << "a)b(c" << "A B C";
        QTest::newRow("unbalanced opening") << "Foundation (1951" << "Foundation 1951";
    }
    void cleanName()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CleanName(text), expected);
    }

    // Names in other scripts are cleaned by the same rules as ASCII ones.
    void cleanNameInOtherScripts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accented small words") << QStringLiteral("émile zola") << QStringLiteral("Émile Zola");
        QTest::newRow("accented capital words") << QStringLiteral("ÉMILE ZOLA") << QStringLiteral("Émile Zola");
        QTest::newRow("accent inside a word") << QStringLiteral("Gabriel_García_Márquez")
                                              << QStringLiteral("Gabriel García Márquez");
        QTest::newRow("accent as a mark after its letter") << QStringLiteral("E\u0301mile Zola")
                                                           << QStringLiteral("E\u0301mile Zola");
        QTest::newRow("run-together accented") << QStringLiteral("ÉmileZola") << QStringLiteral("Émile Zola");
        QTest::newRow("umlaut and a remark") << QStringLiteral("günter_grass (1959)") << QStringLiteral("Günter Grass");
        QTest::newRow("Cyrillic words") << QStringLiteral("лев толстой") << QStringLiteral("Лев Толстой");
        QTest::newRow("Cyrillic capitals") << QStringLiteral("ФЁДОР ДОСТОЕВСКИЙ") << QStringLiteral("Фёдор Достоевский");
        QTest::newRow("Cyrillic run-together") << QStringLiteral("ЛевТолстой") << QStringLiteral("Лев Толстой");
        QTest::newRow("Greek capitals, final sigma") << QStringLiteral("ΟΜΗΡΟΣ ΟΔΥΣΣΕΙΑ")
                                                     << QStringLiteral("Ομηρος Οδυσσεια");
        QTest::newRow("Greek final sigma before punctuation")
            << QStringLiteral("ΝΙΚΟΣ_ΚΑΖΑΝΤΖΑΚΗΣ.") << QStringLiteral("Νικος Καζαντζακης");
        QTest::newRow("Greek run-together") << QStringLiteral("ΝίκοςΚαζαντζάκης") << QStringLiteral("Νίκος Καζαντζάκης");
        QTest::newRow("other decimal digits") << QStringLiteral("كتاب ٢") << QStringLiteral("كتاب ٢");
        QTest::newRow("letter outside the first plane") << QStringLiteral("𐐔𐐯𐑅 book") << QStringLiteral("𐐔𐐯𐑅 Book");
        QTest::newRow("symbols are blanked") << QStringLiteral("Zola★€Germinal") << QStringLiteral("Zola Germinal");
    }
    void cleanNameInOtherScripts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CleanName(text), expected);
    }

    void removeParentheses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no marks") << "Foundation" << "Foundation";
        QTest::newRow("only opening") << "Foundation (1951" << "Foundation (1951";
        QTest::newRow("only closing") << "Foundation 1951)" << "Foundation 1951)";
        QTest::newRow("one pair") << "Foundation (1951) x" << "Foundation  x";
        QTest::newRow("pair at both ends") << "(a)" << "";
        QTest::newRow("first pair only") << "A (x) B (y)" << "A  B (y)";
        QTest::newRow("nested: up to first closing") << "a (b (c) d) e" << "a  d) e";
        // The marks in the wrong order would repeat "b"; they are blanked instead.
        QTest::newRow("closing before opening") << "a)b(c" << "a b c";
        QTest::newRow("closing first, pair later") << "x) y (z)" << "x  y  z)";
    }
    void removeParentheses()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(RemoveParentheses(text), expected);
        QString bracketText = text;
        QString bracketExpected = expected;
        for (QString *s : {&bracketText, &bracketExpected})
            s->replace(QLatin1Char('('), QLatin1Char('[')).replace(QLatin1Char(')'), QLatin1Char(']'));
        QCOMPARE(RemoveBrackets(bracketText), bracketExpected);
    }

    void bracketsAndParenthesesAreIndependent()
    {
        QCOMPARE(RemoveBrackets("a (b) [c] d"), QString("a (b)  d"));
        QCOMPARE(RemoveParentheses("a (b] [c) d"), QString("a  d"));
    }

    // The text-to-text steps of the pipeline, one table; each row names its routine.
    void textRoutines_data()
    {
        QTest::addColumn<TextRoutine>("routine");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, TextRoutine routine, const QString &text, const QString &expected) {
            QTest::newRow(name) << routine << text << expected;
        };
        row("blank: kept classes", BlankOddCharacters, "Az 09 'x'", "Az 09 'x'");
        row("blank: punctuation", BlankOddCharacters, "a_b-c.d,e(f)", "a b c d e f ");
        row("blank: control characters", BlankOddCharacters, QString("a\tb\r\nc") + QChar(0), "a b  c ");
        row("blank: letters outside ASCII stay", BlankOddCharacters, QString("Z") + QChar(0xE9) + QChar(0xFFFD),
            QString("Z") + QChar(0xE9) + " ");

        row("split: empty", SplitAtCapitals, "", "");
        row("split: capitalised words", SplitAtCapitals, "IsaacAsimov", " Isaac Asimov");
        row("split: acronym before word", SplitAtCapitals, "HTMLGuide", "HTML Guide");
        row("split: acronym at the end", SplitAtCapitals, "getHTML", "get HTML");
        row("split: lone capital", SplitAtCapitals, "A", "A");
        row("split: after apostrophe", SplitAtCapitals, "O'Brien", " O' Brien");
        row("split: after digit", SplitAtCapitals, "2Good", "2 Good");

        row("proper: empty", ProperCase, "", "");
        row("proper: words", ProperCase, "hELLO wORLD", "Hello World");
        row("proper: only space starts a word", ProperCase, "o'brien 2nd x-ray", "O'brien 2nd X-ray");
        row("proper: leading space", ProperCase, " isaac", " Isaac");
        row("proper: accented first letter", ProperCase, QString(QChar(0xE9)) + "cole", QString(QChar(0xC9)) + "cole");

        row("collapse: empty", CollapseSpaces, "", "");
        row("collapse: only spaces", CollapseSpaces, "    ", "");
        row("collapse: runs and ends", CollapseSpaces, "  a   b c  ", "a b c");
        row("collapse: tabs are not spaces", CollapseSpaces, "a\t\tb", "a\t\tb");
    }
    void textRoutines()
    {
        QFETCH(TextRoutine, routine);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(routine(text), expected);
    }

    void hasLowerCase_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("capitals and digits") << "ABC 123'" << false;
        QTest::newRow("small letter at the end") << "ABCz" << true;
        QTest::newRow("accented small letter") << QString(QChar(0xE9)) << true;
        QTest::newRow("accented capital") << QString(QChar(0xC9)) << false;
        QTest::newRow("Cyrillic small letter") << QStringLiteral("ЖЖж") << true;
    }
    void hasLowerCase()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(HasLowerCase(text), expected);
    }

    void longTextIsHandled()
    {
        QString text;
        for (int i = 0; i < 7000; ++i)
            text += QStringLiteral("AbCd_");
        QVERIFY(text.size() > 32767);
        const QString clean = CleanName(text);
        QCOMPARE(clean.size(), qsizetype(7000 * 5 - 1));
        QVERIFY(clean.startsWith(QLatin1String("Abcd Abcd")));
    }

    // Random texts of every kind: no routine may fail or hang, and each keeps its promises.
    void randomTextsKeepInvariants()
    {
        QRandomGenerator random(20240611);
        for (int round = 0; round < 3000; ++round) {
            const qsizetype length = round % 100 == 0 ? 40000 : random.bounded(60);
            const QString text = RandomText(random, length);

            const QString blanked = BlankOddCharacters(text);
            QCOMPARE(blanked.size(), text.size());
            QVERIFY(OnlyDisplayCharacters(blanked));

            QVERIFY(RemoveParentheses(text).size() <= text.size());
            QVERIFY(RemoveBrackets(text).size() <= text.size());
            QCOMPARE(ProperCase(text).size(), text.size());

            const QString split = SplitAtCapitals(text);
            QCOMPARE(QString(split).remove(QLatin1Char(' ')), QString(text).remove(QLatin1Char(' ')));

            const QString collapsed = CollapseSpaces(text);
            QVERIFY2(!HoldsDoubleSpace(collapsed) && !HasOuterSpace(collapsed), qPrintable(collapsed));

            const QString clean = CleanName(text);
            QVERIFY2(!HoldsDoubleSpace(clean) && !HasOuterSpace(clean), qPrintable(clean));
            QVERIFY2(OnlyDisplayCharacters(clean), qPrintable(clean));
            QVERIFY(clean.size() <= text.size() * 2);
        }
    }
};

QTEST_APPLESS_MAIN(TestNameRoutines)
#include "test_name_routines.moc"
