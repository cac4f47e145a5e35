#include "comments/record_filter.h"

#include "comments/access_like.h"
#include "comments/comment_queries.h"
#include "comments/comment_schema.h"

#include <QRegularExpression>

namespace {

const QString kAnyText = QStringLiteral("*");

// The field's own spelling, or nothing for a name that is not a field of the comment table.
std::optional<QString> fieldNamed(const QString &name)
{
    for (const char *field : kCommentFieldNames) {
        if (name.compare(QLatin1String(field), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(field);
    }
    return std::nullopt;
}

// "[Table 1]" names the table "Table 1".
QString unbracketed(const QString &name)
{
    return name.startsWith(QLatin1Char('[')) ? name.mid(1, name.size() - 2) : name;
}

} // namespace

RecordFilter::RecordFilter(const QString &table) : table_(table), recordSource_(table) {}

RecordFilter RecordFilter::search(const QString &author, const QString &title, const QString &genre,
                                  const QString &file)
{
    RecordFilter filter{QString::fromLatin1(kCommentTableName)};
    for (const auto &[field, text] : {std::pair{"Author", author}, {"Title", title}, {"Genre", genre}, {"File", file}}) {
        filter.patterns_.push_back({QString::fromLatin1(field), text + kAnyText,
                                     QStringLiteral("the %1 Search text \"%2\"").arg(QLatin1String(field), text)});
    }
    filter.recordSource_ = SearchQueryText(author, title, genre, file);
    return filter;
}

RecordFilter RecordFilter::anyFile()
{
    RecordFilter filter{QString::fromLatin1(kCommentTableName)};
    filter.patterns_ = {{QStringLiteral("File"), kAnyText, QString()}};
    filter.recordSource_ = ClearAllQueryText();
    return filter;
}

std::optional<RecordFilter> RecordFilter::fromRecordSource(const QString &source)
{
    static const QRegularExpression tableName(QStringLiteral(R"(^\s*(\[[^\]]+\]|\w+)\s*$)"));
    static const QRegularExpression select(QStringLiteral(R"(\s*SELECT\s+\*\s+FROM\s+(\[[^\]]+\]|\w+)\s*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression where(QStringLiteral(R"(WHERE\s+)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression like(
        QStringLiteral(R"((\(?)\s*\[?(\w+)\]?\s+LIKE\s+'((?:[^']|'')*)'\s*(\)?)\s*)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression conjunction(QStringLiteral(R"(AND\s*)"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression end(QStringLiteral(R"(;?\s*$)"));
    const auto at = [&source](const QRegularExpression &expression, qsizetype offset) {
        return expression.match(source, offset, QRegularExpression::NormalMatch,
                                QRegularExpression::AnchorAtOffsetMatchOption);
    };

    if (const QRegularExpressionMatch table = tableName.match(source); table.hasMatch())
        return RecordFilter(unbracketed(table.captured(1)));
    QRegularExpressionMatch part = at(select, 0);
    if (!part.hasMatch())
        return std::nullopt;
    RecordFilter filter(unbracketed(part.captured(1)));
    filter.recordSource_ = source;
    qsizetype offset = part.capturedEnd();
    if ((part = at(where, offset)).hasMatch()) {
        offset = part.capturedEnd();
        for (;;) {
            part = at(like, offset);
            const std::optional<QString> field = part.hasMatch() ? fieldNamed(part.captured(2)) : std::nullopt;
            if (!field || part.captured(1).isEmpty() != part.captured(4).isEmpty())
                return std::nullopt;
            const QString pattern = part.captured(3).replace(QStringLiteral("''"), QStringLiteral("'"));
            filter.patterns_.push_back(
                {*field, pattern, QStringLiteral("the %1 pattern \"%2\"").arg(*field, pattern)});
            offset = part.capturedEnd();
            if (!(part = at(conjunction, offset)).hasMatch())
                break;
            offset = part.capturedEnd();
        }
    }
    if (!at(end, offset).hasMatch())
        return std::nullopt;
    return filter;
}

QString RecordFilter::quotedTable() const
{
    QString name = table_;
    return QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

QString RecordFilter::condition() const
{
    QStringList conditions;
    for (const FieldPattern &pattern : patterns_)
        conditions << pattern.field + QStringLiteral(" LIKE ?");
    return conditions.join(QStringLiteral(" AND "));
}

QStringList RecordFilter::patterns() const
{
    QStringList values;
    for (const FieldPattern &pattern : patterns_)
        values << pattern.pattern;
    return values;
}

QString RecordFilter::patternError() const
{
    for (const FieldPattern &pattern : patterns_) {
        const AccessLikePattern compiled(pattern.pattern);
        if (!compiled.isValid())
            return QStringLiteral("No records are listed: %1 is not complete (a \"[\" needs its \"]\", and a range "
                                  "such as [a-z] runs upwards).")
                .arg(pattern.source);
    }
    return QString();
}
