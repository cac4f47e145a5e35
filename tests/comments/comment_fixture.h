#pragma once

#include "comments/comment_schema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <optional>

// Author, Title, Genre, File, Comment; nullopt is a field without a value.
using FixtureRow = std::array<std::optional<QString>, 5>;

inline QVariant fixtureValue(const std::optional<QString> &text)
{
    return text ? QVariant(*text) : QVariant(QMetaType::fromType<QString>());
}

// A connection of its own to a database file (another window, or another program), removed
// when it goes.
class TestConnection
{
public:
    explicit TestConnection(const QString &path)
    {
        static int count = 0;
        name_ = QStringLiteral("test-connection-%1").arg(++count);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        db.open();
    }
    ~TestConnection()
    {
        database().close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase database() const { return QSqlDatabase::database(name_, false); }

    bool exec(const QString &sql, const QVariantList &values = {}) const
    {
        QSqlQuery query(database());
        query.prepare(sql);
        for (const QVariant &value : values)
            query.addBindValue(value);
        return query.exec();
    }

    // The first column of every row, "<null>" for a field without a value.
    QStringList column(const QString &sql) const
    {
        QStringList texts;
        QSqlQuery query(database());
        query.exec(sql);
        while (query.next())
            texts << (query.value(0).isNull() ? QStringLiteral("<null>") : query.value(0).toString());
        return texts;
    }

private:
    QString name_;
};

// A db25.mdb with Table1 and the given rows in a temporary folder.
class CommentDatabase
{
public:
    explicit CommentDatabase(const QList<FixtureRow> &rows = {})
    {
        TestConnection connection(path());
        connection.exec(QString::fromLatin1(kCreateCommentTable));
        connection.database().transaction();
        for (const FixtureRow &row : rows) {
            QVariantList values;
            for (const auto &field : row)
                values << fixtureValue(field);
            connection.exec(QStringLiteral("INSERT INTO Table1 VALUES (?, ?, ?, ?, ?)"), values);
        }
        connection.database().commit();
    }
    QString path() const { return dir_.filePath(QString::fromLatin1(kCommentDatabaseFileName)); }
    QString folder() const { return dir_.path(); }
    // What the table holds now, read through a connection of its own.
    QStringList column(const QString &field) const
    {
        return TestConnection(path()).column(QStringLiteral("SELECT %1 FROM Table1 ORDER BY rowid").arg(field));
    }

private:
    QTemporaryDir dir_;
};

inline FixtureRow fileRow(const QString &file, const QString &author = QStringLiteral("A"))
{
    return {author, QStringLiteral("T"), QStringLiteral("G"), file, QStringLiteral("<p>c</p>")};
}

// Rows whose File is "0.epub", "1.epub" and so on, in rowid order.
inline QList<FixtureRow> numberedRows(int count)
{
    QList<FixtureRow> rows;
    for (int i = 0; i < count; ++i)
        rows << fileRow(QStringLiteral("%1.epub").arg(i));
    return rows;
}

// Numbered rows whose Author is "A", but "Zed" for the rows 10, 10000 and 19990 and "Yu" for
// the others from 18000 on: searches whose matches lie far apart in a table too long to be
// looked through in one slice of reading.
inline QList<FixtureRow> farApartRows()
{
    QList<FixtureRow> rows = numberedRows(20000);
    for (int i = 18000; i < 20000; ++i)
        rows[i][0] = QStringLiteral("Yu");
    for (int i : {10, 10000, 19990})
        rows[i][0] = QStringLiteral("Zed");
    return rows;
}
