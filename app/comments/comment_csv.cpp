#include "comments/comment_csv.h"

#include <QStringDecoder>

namespace {

QString quoted(const QString &field)
{
    static const QString special = QStringLiteral(",\"\r\n");
    const bool needsQuotes = std::any_of(field.begin(), field.end(), [](QChar c) { return special.contains(c); });
    if (!needsQuotes)
        return field;
    QString doubled = field;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

bool startsSpreadsheetFormula(const QString &field)
{
    static const QString starts = QStringLiteral("=+-@'");
    return !field.isEmpty() && starts.contains(field.front());
}

} // namespace

QString SpreadsheetField(const QString &field)
{
    return startsSpreadsheetFormula(field) ? QLatin1Char('\'') + field : field;
}

QString ReadSpreadsheetField(const QString &field)
{
    return field.startsWith(QLatin1Char('\'')) && startsSpreadsheetFormula(field.mid(1)) ? field.mid(1) : field;
}

QByteArray CsvLine(const QStringList &fields)
{
    QStringList out;
    for (const QString &field : fields)
        out << quoted(field);
    return out.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

QString FromWindows1252(const QByteArray &bytes)
{
    // 0x80 to 0x9F; the rest is Latin-1.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t(byte));
    }
    return text;
}

bool ParseCsv(const QByteArray &text, QList<QStringList> *records, QString *error, bool *windows1252)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString input = utf8.decode(text);
    const bool legacy = utf8.hasError();
    if (legacy)
        input = FromWindows1252(text);
    if (windows1252)
        *windows1252 = legacy;
    if (input.startsWith(QChar(0xFEFF)))
        input.remove(0, 1);
    QStringList record;
    QString field;
    bool inQuotes = false;
    bool recordStarted = false;
    int line = 1;
    int quoteLine = 0;
    const qsizetype size = input.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = input[i];
        if (inQuotes) {
            if (c == u'"' && i + 1 < size && input[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                line += c == u'\n' ? 1 : 0;
                field += c;
            }
            continue;
        }
        if (c == u'"') {
            inQuotes = true;
            quoteLine = line;
            recordStarted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
            recordStarted = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < size && input[i + 1] == u'\n')
                ++i;
            ++line;
            if (recordStarted || !field.isEmpty())
                records->append(record << field);
            record.clear();
            field.clear();
            recordStarted = false;
        } else {
            field += c;
            recordStarted = true;
        }
    }
    if (inQuotes) {
        *error = QStringLiteral("the quote opened on line %1 is never closed").arg(quoteLine);
        return false;
    }
    if (recordStarted || !field.isEmpty())
        records->append(record << field);
    return true;
}
