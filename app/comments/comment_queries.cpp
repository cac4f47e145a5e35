#include "comments/comment_queries.h"

namespace {
const QString kQuote = QStringLiteral("'");
const QString kAnyText = QStringLiteral("*");
} // namespace

QString SearchQueryText(const QString &author, const QString &title, const QString &genre, const QString &file)
{
    // The spacing is the program's own: a blank before the first AND only.
    return QStringLiteral("SELECT * FROM Table1 WHERE ") + QStringLiteral("(Author LIKE '") + author + kAnyText
           + QStringLiteral("') AND ") + QStringLiteral("(Title LIKE '") + title + kAnyText + QStringLiteral("')AND ")
           + QStringLiteral("(Genre LIKE '") + genre + kAnyText + QStringLiteral("')AND ")
           + QStringLiteral("(File LIKE '") + file + kAnyText + QStringLiteral("')");
}

QString ClearAllQueryText()
{
    return QStringLiteral("SELECT * FROM Table1 WHERE File Like ") + kQuote + kAnyText + kQuote;
}

QString FileCriterion(const QString &fileName)
{
    QString doubled = fileName;
    doubled.replace(kQuote, kQuote + kQuote);
    return QStringLiteral("File = '") + doubled + kQuote;
}
