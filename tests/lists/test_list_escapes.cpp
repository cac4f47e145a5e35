#include "lists/list_escapes.h"

#include <QTest>

// Each escape rewrites a character on its own ("&" by what follows it), wherever it
// stands in a long name, and leaves the plain rest of the name as it is.
class TestListEscapes : public QObject
{
    Q_OBJECT

private slots:
    void escapesAnywhereInALongName_data()
    {
        QTest::addColumn<QString>("special");
        for (char16_t c = 0; c < 0x20; ++c)
            QTest::addRow("control %02x", int(c)) << QString(QChar(c));
        QTest::newRow("delete") << QString(QChar(0x7F));
        for (char16_t c = 0x80; c < 0xA0; ++c)
            QTest::addRow("C1 control %02x", int(c)) << QString(QChar(c));
        QTest::newRow("line separator") << QString(QChar(0x2028));
        QTest::newRow("paragraph separator") << QString(QChar(0x2029));
        for (const char *markup : {"<", ">", "\"", "&", "\\", "'"})
            QTest::newRow(markup) << QString::fromLatin1(markup);
        // Characters that stay as they are, next to the ones that do not.
        QTest::newRow("space") << " ";
        QTest::newRow("tilde") << "~";
        QTest::newRow("accented") << QStringLiteral("\u00e9");
        QTest::newRow("no-break space") << QStringLiteral("\u00a0");
        QTest::newRow("ideograph") << QStringLiteral("\u66f8");
        QTest::newRow("replacement character") << QStringLiteral("\ufffd");
        QTest::newRow("byte-order mark") << QStringLiteral("\ufeff");
        QTest::newRow("surrogate pair") << QStringLiteral("\U0001F4DA");
    }
    void escapesAnywhereInALongName()
    {
        QFETCH(QString, special);
        const QString plain = QStringLiteral("The Plain Name Of A Long Book 1.epub");
        for (QString (*escape)(const QString &) : {SingleLineText, HtmlText, ScriptStringText}) {
            // A letter follows, so that "&" counts as the start of a reference.
            const QString alone = escape(special + QLatin1Char('x'));
            for (qsizetype at = 0; at <= plain.size(); ++at) {
                const QString name = plain.left(at) + special + QLatin1Char('x') + plain.mid(at);
                QCOMPARE(escape(name), plain.left(at) + alone + plain.mid(at));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestListEscapes)
#include "test_list_escapes.moc"
