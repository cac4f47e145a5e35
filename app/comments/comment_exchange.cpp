#include "comments/comment_exchange.h"

#include "base/complete_write.h"
#include "comments/comment_commands.h"
#include "comments/comment_connection.h"
#include "comments/comment_csv.h"
#include "comments/comment_data_source.h"
#include "comments/comment_schema.h"
#include "comments/replace_together.h"
#include "platform/directory_picker.h"
#include "platform/message_boxes.h"
#include "platform/progress.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>

#include <array>
#include <optional>
#include <vector>

#include <unistd.h>

namespace {

using Values = std::array<QString, 5>; // Author, Title, Genre, File, Comment; no value reads as empty
constexpr int kCommentField = 4;
constexpr int kBusyTimeoutMs = 2000;
constexpr int kImportCacheKiB = 256 * 1024;
// Records added between two looks at the window's events.
constexpr int kImportSlice = 500;
const QString kTitle = QString::fromLatin1(kProgramTitle);

QStringList fieldNames()
{
    QStringList names;
    for (const char *name : kCommentFieldNames)
        names << QLatin1String(name);
    return names;
}

// A connection of its own for the length of one export or import. It reads the table, which
// always ends, so a large one is read to its end however long that takes.
bool openForExchange(CommentConnection &connection, const QString &path, bool readOnly)
{
    connection.setBusyTimeout(kBusyTimeoutMs);
    connection.setReadTimeLimit(CommentConnection::kNoReadTimeLimit);
    return readOnly ? connection.openReadOnly(path) : connection.open(path);
}

// A field without a value stays without one: it is read as a null string and written as NULL.
QString textOf(const SqlRow &row, int column)
{
    const std::optional<QByteArray> text = row.text(column);
    return text ? QString::fromUtf8(*text) : QString();
}

QVariant bindable(const QString &text)
{
    return text.isNull() ? QVariant() : QVariant(text);
}

bool readRecords(const QString &path, std::vector<Values> *records, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("%1 was not found").arg(QDir::toNativeSeparators(path));
        return false;
    }
    CommentConnection connection;
    const BoundSql select{QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                              .arg(fieldNames().join(QStringLiteral(", ")), QLatin1String(kCommentTableName)),
                          {}};
    const auto addRecord = [records](const SqlRow &row) {
        Values values;
        for (int i = 0; i < 5; ++i)
            values[i] = textOf(row, i);
        records->push_back(values);
    };
    if (!openForExchange(connection, path, true) || !connection.read(select, addRecord)) {
        *error = connection.errorMessage();
        return false;
    }
    return true;
}

bool readCsv(const QString &path, std::vector<Values> *records, bool *windows1252, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QList<QStringList> rows;
    if (!ParseCsv(file.readAll(), &rows, error, windows1252))
        return false;
    if (rows.isEmpty() || rows.first().join(QLatin1Char(',')).compare(fieldNames().join(QLatin1Char(',')),
                                                                      Qt::CaseInsensitive) != 0) {
        *error = QStringLiteral("it does not begin with the header %1").arg(fieldNames().join(QLatin1Char(',')));
        return false;
    }
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows[i].size() != 5) {
            *error = QStringLiteral("record %1 has %2 fields instead of 5").arg(i).arg(rows[i].size());
            return false;
        }
        Values values;
        std::transform(rows[i].begin(), rows[i].end(), values.begin(), ReadSpreadsheetField);
        records->push_back(values);
    }
    return true;
}

// Records already in the table, found by their first four values; the comments are read
// only for those that match, so the table is never held in memory.
class PresentRecords
{
public:
    explicit PresentRecords(CommentConnection &connection) : connection_(connection) {}

    bool load()
    {
        const QString table = QLatin1String(kCommentTableName);
        commentLookup_ = connection_.prepare(QStringLiteral("SELECT Comment FROM %1 WHERE rowid = ?").arg(table));
        return commentLookup_.isValid()
               && connection_.read({QStringLiteral("SELECT rowid, Author, Title, Genre, File FROM %1").arg(table), {}},
                                   [this](const SqlRow &row) {
                                       Values values;
                                       for (int i = 0; i < 4; ++i)
                                           values[i] = textOf(row, i + 1);
                                       rows_.insert(keyOf(values), row.number(0));
                                   });
    }
    void add(const Values &values, qint64 rowId) { rows_.insert(keyOf(values), rowId); }
    // Whether a row holds all five values, its comment compared as plain text when plainText
    // is given; false when a lookup fails.
    bool find(const Values &values, const CommentPlainText *plainText, bool *found)
    {
        *found = false;
        const QList<qint64> candidates = rows_.values(keyOf(values));
        for (auto rowId = candidates.begin(); !*found && rowId != candidates.end(); ++rowId) {
            const bool read = connection_.read(commentLookup_, {*rowId}, [&](const SqlRow &row) {
                const QString stored = textOf(row, 0);
                *found = (plainText ? (*plainText)(stored) : stored) == values[kCommentField];
            });
            if (!read)
                return false;
        }
        return true;
    }

private:
    static QByteArray keyOf(const Values &values)
    {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (int i = 0; i < 4; ++i) {
            hash.addData(values[i].toUtf8());
            hash.addData(QByteArrayView("\0", 1));
        }
        return hash.result();
    }
    CommentConnection &connection_;
    QMultiHash<QByteArray, qint64> rows_;
    PreparedSql commentLookup_;
};

struct ImportCounts
{
    int added = 0;
    int skipped = 0;
};

// Comments from a spreadsheet are plain text; they are compared as plain text and stored as
// a document.
bool addMissing(const QString &databasePath, const std::vector<Values> &records, const CommentPlainText *plainText,
                Progress &progress, ImportCounts *counts, QString *error)
{
    CommentConnection connection;
    if (!openForExchange(connection, databasePath, false)) {
        *error = connection.errorMessage();
        return false;
    }
    // Room for the whole transaction: spilling it to the file would lock the windows' reads
    // out while the import lets them run between slices.
    connection.write({QStringLiteral("PRAGMA cache_size = -%1").arg(kImportCacheKiB), {}});
    PresentRecords present(connection);
    PreparedSql insert = connection.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?)")
                                                .arg(QLatin1String(kCommentTableName),
                                                     fieldNames().join(QStringLiteral(", "))));
    if (!insert.isValid() || !connection.write({QStringLiteral("BEGIN"), {}}) || !present.load()) {
        *error = connection.errorMessage();
        return false;
    }
    const auto giveUp = [&connection, error](const QString &reason) {
        *error = reason;
        connection.write({QStringLiteral("ROLLBACK"), {}});
        return false;
    };
    for (size_t done = 0; done < records.size(); ++done) {
        if (done % kImportSlice == 0 && !progress.advance(int(done)))
            return giveUp(QStringLiteral("cancelled"));
        const Values &values = records[done];
        bool found = false;
        if (!present.find(values, plainText, &found))
            return giveUp(connection.errorMessage());
        if (found) {
            ++counts->skipped;
            continue;
        }
        QVariantList bound;
        for (int i = 0; i < 5; ++i)
            bound << bindable(i == kCommentField && plainText ? PlainTextToCommentHtml(values[i]) : values[i]);
        if (!connection.write(insert, bound))
            return giveUp(connection.errorMessage());
        present.add(values, connection.lastInsertedRowId());
        ++counts->added;
    }
    if (!connection.write({QStringLiteral("COMMIT"), {}}))
        return giveUp(connection.errorMessage());
    return true;
}

QString copyFailure(const CommentConnection &connection)
{
    switch (connection.failureKind()) {
    case CommentConnection::FailureKind::Locked:
        return QStringLiteral("the comment database is locked by another program");
    case CommentConnection::FailureKind::DiskFull:
        return QStringLiteral("the disk is full");
    case CommentConnection::FailureKind::Other:
        break;
    }
    return connection.errorMessage();
}

// A consistent copy of the database into the (empty) draft.
bool backUp(const QString &databasePath, const QString &draft, QString *error)
{
    CommentConnection source;
    if (openForExchange(source, databasePath, true) && source.copyTo(draft))
        return true;
    *error = copyFailure(source);
    return false;
}

bool writeCsv(const std::vector<Values> &records, const QString &path, const CommentPlainText &plainText,
              QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = file.errorString();
        return false;
    }
    bool allWritten = WriteAll(file, CsvLine(fieldNames()));
    for (auto record = records.begin(); allWritten && record != records.end(); ++record) {
        Values values = *record;
        values[kCommentField] = plainText(values[kCommentField]);
        QStringList fields;
        std::transform(values.begin(), values.end(), std::back_inserter(fields), SpreadsheetField);
        allWritten = WriteAll(file, CsvLine(fields));
    }
    // On disk before it replaces anything, so that a crash cannot leave a short file behind.
    if (!allWritten || !file.flush() || ::fdatasync(file.handle()) != 0) {
        *error = QStringLiteral("%1 could not be written completely (is the disk full?)")
                     .arg(QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

} // namespace

QString PlainTextToCommentHtml(const QString &plain)
{
    QString text = plain;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringLiteral("<html><body><p style=\"white-space: pre-wrap;\">")
           + text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br />")) + QStringLiteral("</p></body></html>");
}

CommentExchange::CommentExchange(CommentDataSource &source, CommentCommands &commands, MessageBoxes &messages,
                                 DirectoryPicker &picker, Progress &progress, CommentPlainText plainText)
    : source_(source), commands_(commands), messages_(messages), picker_(picker), progress_(progress),
      plainText_(std::move(plainText))
{
}

std::optional<CommentExchange::Folder> CommentExchange::chooseFolder()
{
    const std::optional<QString> chosen = picker_.pickDirectory(QStringLiteral("Choose Directory"), QString());
    if (!chosen)
        return std::nullopt;
    const QDir dir(*chosen);
    return Folder{QDir::toNativeSeparators(dir.absolutePath()), dir.filePath(QLatin1String(kCommentDatabaseFileName)),
                  dir.filePath(QLatin1String(kExportCsvFileName))};
}

bool CommentExchange::isTheDatabaseInUse(const QString &path) const
{
    const QString inUse = QFileInfo(source_.databasePath()).canonicalFilePath();
    return !inUse.isEmpty() && QFileInfo(path).canonicalFilePath() == inUse;
}

void CommentExchange::exportDatabase()
{
    const std::optional<Folder> folder = chooseFolder();
    if (!folder)
        return;
    const auto &[shownFolder, database, csv] = *folder;
    if (isTheDatabaseInUse(database)) {
        messages_.warn(kTitle, QStringLiteral("%1 holds the comment database in use. Choose another folder to "
                                               "export to.")
                                    .arg(shownFolder));
        return;
    }
    QStringList present;
    for (const QString &path : {database, csv}) {
        if (QFileInfo::exists(path))
            present << QFileInfo(path).fileName();
    }
    if (!present.isEmpty()
        && !messages_.confirm(kTitle, QStringLiteral("%1 already holds %2. Replace?")
                                           .arg(shownFolder, present.join(QStringLiteral(" and "))))) {
        return;
    }
    // Both files are made aside and replace the old pair together, or the old pair stays.
    QString error;
    std::vector<Values> records;
    ReplaceTogether replacement;
    const QString databaseDraft = replacement.addDraft(database, &error);
    const QString csvDraft = databaseDraft.isEmpty() ? QString() : replacement.addDraft(csv, &error);
    if (csvDraft.isEmpty() || !backUp(source_.databasePath(), databaseDraft, &error)
        || !readRecords(databaseDraft, &records, &error) || !writeCsv(records, csvDraft, plainText_, &error)
        || !replacement.commit(&error)) {
        messages_.warn(kTitle, QStringLiteral("Could not export to %1: %2. The folder is as it was.")
                                    .arg(shownFolder, error));
        return;
    }
    messages_.show(kTitle, QStringLiteral("Exported %1 %2 to %3:\n%4, a copy of the comment database\n"
                                             "%5, for spreadsheets (UTF-8, comments as plain text)")
                                  .arg(records.size())
                                  .arg(records.size() == 1 ? QStringLiteral("comment") : QStringLiteral("comments"),
                                       shownFolder, QLatin1String(kCommentDatabaseFileName),
                                       QLatin1String(kExportCsvFileName)));
}

void CommentExchange::importDatabase()
{
    const std::optional<Folder> folder = chooseFolder();
    if (!folder)
        return;
    const auto &[shownFolder, database, csv] = *folder;
    const bool fromDatabase = QFileInfo(database).isFile() && !isTheDatabaseInUse(database);
    const QString source = fromDatabase ? database : csv;
    const QString shownSource = QDir::toNativeSeparators(QFileInfo(source).absoluteFilePath());
    if (!fromDatabase && !QFileInfo(csv).isFile()) {
        messages_.warn(kTitle, QStringLiteral("%1 holds neither a comment database (%2) other than the one in use "
                                               "nor %3. Nothing was imported.")
                                    .arg(shownFolder, QLatin1String(kCommentDatabaseFileName),
                                         QLatin1String(kExportCsvFileName)));
        return;
    }
    std::vector<Values> records;
    QString error;
    ImportCounts counts;
    bool windows1252 = false;
    const bool read =
        fromDatabase ? readRecords(database, &records, &error) : readCsv(csv, &records, &windows1252, &error);
    progress_.start(QStringLiteral("Import Database"), QStringLiteral("Adding the comments of %1").arg(shownSource),
                     int(records.size()));
    const bool added = read && addMissing(source_.databasePath(), records, fromDatabase ? nullptr : &plainText_,
                                          progress_, &counts, &error);
    progress_.finish();
    if (!added) {
        messages_.warn(kTitle, QStringLiteral("Could not import %1: %2. Nothing was imported.").arg(shownSource, error));
        return;
    }
    // Said, since a file in yet another encoding would read as the wrong letters.
    const QString encoding = windows1252 ? QStringLiteral(" (not UTF-8, so read as Windows-1252, the encoding "
                                                           "spreadsheets use)")
                                         : QString();
    messages_.show(kTitle, QStringLiteral("Imported from %1%2: %3 added, %4 already present and skipped.")
                                  .arg(shownSource, encoding)
                                  .arg(counts.added)
                                  .arg(counts.skipped));
    if (!source_.refresh())
        commands_.reportFailure();
}
