#include "comment_fixture.h"
#include "comments/access_like.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

namespace {

// A pattern built token by token, written both in the Access dialect and as an equivalent
// regular expression, so that the matcher is checked against an independent engine.
struct GeneratedPattern
{
    QString access;
    QString regex;
};

QString regexCharacter(QChar c)
{
    return QStringLiteral("\\x{%1}").arg(c.unicode(), 0, 16);
}

QChar pick(QRandomGenerator &random, const QString &alphabet)
{
    return alphabet.at(random.bounded(alphabet.size()));
}

void appendCharacterList(QRandomGenerator &random, GeneratedPattern &pattern)
{
    static const QString members = QStringLiteral("abcABC019é*?#[");
    const bool negated = random.bounded(3) == 0;
    pattern.access += negated ? QStringLiteral("[!") : QStringLiteral("[");
    pattern.regex += negated ? QStringLiteral("[^") : QStringLiteral("[");
    const int count = 1 + random.bounded(3);
    for (int i = 0; i < count; ++i) {
        QChar low = pick(random, members);
        QChar high = pick(random, members);
        if (high < low)
            std::swap(low, high);
        // A range needs bounds of the same kind; the matcher's own rule for mixed bounds is
        // not the one a regular expression uses.
        const bool range = random.bounded(2) == 0 && low.isLetter() && high.isLetter()
                           && low.isUpper() == high.isUpper() && low.unicode() < 0x80 && high.unicode() < 0x80;
        pattern.access += range ? QString(low) + QLatin1Char('-') + high : QString(low);
        pattern.regex += range ? regexCharacter(low) + QLatin1Char('-') + regexCharacter(high) : regexCharacter(low);
    }
    pattern.access += QLatin1Char(']');
    pattern.regex += QLatin1Char(']');
}

GeneratedPattern generatePattern(QRandomGenerator &random)
{
    static const QString literals = QStringLiteral("abAB1!-]é%_");
    GeneratedPattern pattern;
    const int length = random.bounded(8);
    for (int i = 0; i < length; ++i) {
        switch (random.bounded(6)) {
        case 0:
            pattern.access += QLatin1Char('*');
            pattern.regex += QStringLiteral(".*");
            break;
        case 1:
            pattern.access += QLatin1Char('?');
            pattern.regex += QLatin1Char('.');
            break;
        case 2:
            pattern.access += QLatin1Char('#');
            pattern.regex += QStringLiteral("[0-9]");
            break;
        case 3:
            appendCharacterList(random, pattern);
            break;
        default: {
            const QChar c = pick(random, literals);
            pattern.access += c;
            pattern.regex += regexCharacter(c);
        }
        }
    }
    return pattern;
}

QString generateText(QRandomGenerator &random, const QString &alphabet, int maxLength)
{
    QString text;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += pick(random, alphabet);
    return text;
}

} // namespace

class TestAccessLike : public QObject
{
    Q_OBJECT

private slots:
    void matchesByAccessRules_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("expected");

        QTest::newRow("star alone, empty value") << "*" << "" << true;
        QTest::newRow("star alone") << "*" << "anything at all" << true;
        QTest::newRow("prefix") << "Ann*" << "Annette" << true;
        QTest::newRow("prefix, other start") << "Ann*" << "Joanne" << false;
        QTest::newRow("prefix needs the whole prefix") << "Ann*" << "An" << false;
        QTest::newRow("suffix") << "*.epub" << "book.epub" << true;
        QTest::newRow("star in the middle, empty run") << "a*c" << "ac" << true;
        QTest::newRow("star must reach the end") << "a*c" << "acd" << false;
        QTest::newRow("stars after backtracking") << "*ab*ab" << "aabxabab" << true;
        QTest::newRow("two stars") << "**" << "x" << true;
        QTest::newRow("question mark is one character") << "a?c" << "abc" << true;
        QTest::newRow("question mark needs a character") << "a?c" << "ac" << false;
        QTest::newRow("question mark on empty") << "?" << "" << false;
        QTest::newRow("question mark takes a non-BMP character") << "a?b" << QString::fromUcs4(U"a\U0001F600b") << true;
        QTest::newRow("hash is a digit") << "a#b" << "a7b" << true;
        QTest::newRow("hash is not a letter") << "#" << "x" << false;
        QTest::newRow("two hashes, one digit") << "##" << "1" << false;
        QTest::newRow("list") << "[abc]" << "b" << true;
        QTest::newRow("list, not listed") << "[abc]" << "d" << false;
        QTest::newRow("range") << "[a-c]x" << "bx" << true;
        QTest::newRow("range, outside") << "[a-c]" << "d" << false;
        QTest::newRow("lower range takes upper case") << "[a-c]" << "B" << true;
        QTest::newRow("upper range takes lower case") << "[A-C]" << "b" << true;
        QTest::newRow("digit range") << "[0-5]#" << "42" << true;
        QTest::newRow("negated list") << "[!a-c]" << "d" << true;
        QTest::newRow("negated list, listed") << "[!a-c]" << "b" << false;
        QTest::newRow("negated list, other case listed") << "[!a-c]" << "B" << false;
        QTest::newRow("negated list needs a character") << "[!a-c]" << "" << false;
        QTest::newRow("bracketed star is literal") << "[*]" << "*" << true;
        QTest::newRow("bracketed star, other text") << "[*]" << "a" << false;
        QTest::newRow("bracketed question mark") << "a[?]" << "a?" << true;
        QTest::newRow("bracketed hash") << "[#]" << "#" << true;
        QTest::newRow("bracketed open bracket") << "[[]" << "[" << true;
        QTest::newRow("dash first is literal") << "[-a]" << "-" << true;
        QTest::newRow("dash last is literal") << "[a-]" << "-" << true;
        QTest::newRow("empty list is nothing") << "a[]b" << "ab" << true;
        QTest::newRow("negated empty list is any character") << "[!]" << "x" << true;
        QTest::newRow("closing bracket alone is literal") << "a]" << "a]" << true;
        QTest::newRow("exclamation mark outside a list") << "!" << "!" << true;
        QTest::newRow("case ignored") << "ANN*" << "annette" << true;
        QTest::newRow("case ignored beyond ASCII") << "é*" << "Éclair" << true;
        QTest::newRow("percent is literal") << "%" << "abc" << false;
        QTest::newRow("percent matches itself") << "100%" << "100%" << true;
        QTest::newRow("underscore is literal") << "_" << "a" << false;
        QTest::newRow("quote is literal") << "O'B*" << "o'brien" << true;
        QTest::newRow("empty pattern, empty value") << "" << "" << true;
        QTest::newRow("empty pattern, some value") << "" << "a" << false;
    }
    void matchesByAccessRules()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, value);
        QFETCH(bool, expected);
        const AccessLikePattern compiled(pattern);
        QVERIFY(compiled.isValid());
        QCOMPARE(compiled.matches(value), expected);
        const QByteArray utf8 = value.toUtf8();
        QCOMPARE(compiled.matchesUtf8(utf8.constData(), utf8.size()), expected);
        QCOMPARE(accessLikeMatches(pattern, value), expected);
    }

    void invalidPatternMatchesNothing_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("open bracket") << "[";
        QTest::newRow("open bracket inside") << "a[b";
        QTest::newRow("open negated list") << "[!";
        QTest::newRow("descending range") << "[z-a]";
    }
    void invalidPatternMatchesNothing()
    {
        QFETCH(QString, pattern);
        const AccessLikePattern compiled(pattern);
        QVERIFY(!compiled.isValid());
        QCOMPARE(compiled.errorString(), QStringLiteral("Invalid pattern string"));
        QVERIFY(!compiled.matches(pattern));
        QVERIFY(!compiled.matches(QString()));
    }

    void malformedUtf8IsMatchedNotRejected()
    {
        const AccessLikePattern compiled(QStringLiteral("a?b"));
        QVERIFY(compiled.matchesUtf8("a\xff" "b", 3));
        QVERIFY(!compiled.matchesUtf8("a\xe2\x82" "b", 4)); // two malformed bytes, two characters
    }

    void replacesLikeOnTheConnection_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("expected");
        const QVariant null;
        QTest::newRow("prefix, other case") << "'Annette' LIKE 'ann*'" << QVariant(1);
        QTest::newRow("keyword in any case") << "'Annette' Like 'ANN*'" << QVariant(1);
        QTest::newRow("percent no longer a wildcard") << "'abc' LIKE 'a%'" << QVariant(0);
        QTest::newRow("null value never matches") << "NULL LIKE '*'" << null;
        QTest::newRow("null pattern") << "'x' LIKE NULL" << null;
        QTest::newRow("not like on null") << "NULL NOT LIKE '*'" << null;
        QTest::newRow("empty text matches star") << "'' LIKE '*'" << QVariant(1);
        QTest::newRow("number as text") << "123 LIKE '1#3'" << QVariant(1);
        QTest::newRow("non-ASCII value") << "'Éclair' LIKE 'é*'" << QVariant(1);
    }
    void replacesLikeOnTheConnection()
    {
        QFETCH(QString, expression);
        QFETCH(QVariant, expected);
        TestConnection connection(QStringLiteral(":memory:"));
        QString error;
        QVERIFY2(registerAccessLike(connection.handle(), &error), qPrintable(error));
        QCOMPARE(connection.column(QStringLiteral("SELECT ") + expression),
                 QStringList{expected.isNull() ? QStringLiteral("<null>") : expected.toString()});
    }

    void invalidPatternFailsTheStatement()
    {
        TestConnection connection(QStringLiteral(":memory:"));
        QVERIFY(registerAccessLike(connection.handle()));
        QVERIFY(!connection.exec(QStringLiteral("SELECT 'ab' LIKE 'a[b'")));
        QVERIFY2(connection.errorMessage().contains(QStringLiteral("Invalid pattern string")),
                 qPrintable(connection.errorMessage()));
    }

    void agreesWithRegularExpressions()
    {
        QRandomGenerator random(20240611);
        const QString valueAlphabet = QStringLiteral("abcABC019*?#[]!-é%É_");
        for (int round = 0; round < 20000; ++round) {
            const GeneratedPattern pattern = generatePattern(random);
            const QString value = generateText(random, valueAlphabet, 10);
            const QRegularExpression regex(QRegularExpression::anchoredPattern(pattern.regex),
                                           QRegularExpression::CaseInsensitiveOption
                                               | QRegularExpression::DotMatchesEverythingOption);
            QVERIFY2(regex.isValid(), qPrintable(pattern.regex));
            const bool expected = regex.match(value).hasMatch();
            if (accessLikeMatches(pattern.access, value) != expected)
                QFAIL(qPrintable(QStringLiteral("pattern %1, value %2: expected %3")
                                     .arg(pattern.access, value, expected ? "match" : "no match")));
        }
    }

    void survivesArbitraryPatterns()
    {
        QRandomGenerator random(7);
        const QString alphabet = QStringLiteral("ab*?#[]!-^\\'\"%_é\U0001F600");
        for (int round = 0; round < 20000; ++round) {
            const QString pattern = generateText(random, alphabet, 16);
            const QString value = generateText(random, alphabet, 16);
            const AccessLikePattern compiled(pattern);
            // Whatever the pattern, the answer is a plain yes or no and invalid ones say no.
            QVERIFY(compiled.isValid() || !compiled.matches(value));
        }
    }

    // Patterns that take exponential time in a naive backtracking matcher. A hang here shows
    // as a test timeout rather than a timed failure.
    void pathologicalPatternsFinish()
    {
        const QString pattern = QStringLiteral("*a").repeated(50) + QStringLiteral("*b");
        const QString value = QStringLiteral("a").repeated(5000);
        QVERIFY(!accessLikeMatches(pattern, value));
        QVERIFY(accessLikeMatches(pattern, value + QLatin1Char('b')));
        QVERIFY(!accessLikeMatches(QStringLiteral("*?").repeated(100) + QLatin1Char('#'), value));
    }
};

QTEST_GUILESS_MAIN(TestAccessLike)
#include "test_access_like.moc"
