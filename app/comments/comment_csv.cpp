#include "comments/comment_csv.h"

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

bool ParseCsv(const QByteArray &text, QList<QStringList> *records, QString *error)
{
    QString input = QString::fromUtf8(text);
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
