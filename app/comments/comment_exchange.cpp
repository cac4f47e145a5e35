#include "comments/comment_exchange.h"

#include "base/complete_write.h"
#include "comments/comment_commands.h"
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
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <array>
#include <atomic>
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

// A connection of its own for the length of one export or import.
class Connection
{
public:
    explicit Connection(const QString &path, bool readOnly)
    {
        static std::atomic<int> last{0};
        name_ = QStringLiteral("shelvana-exchange-%1").arg(++last);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1%2")
                                 .arg(kBusyTimeoutMs)
                                 .arg(readOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
        db.open();
    }
    ~Connection()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase database() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

QString reasonOf(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

bool readRecords(const QString &path, std::vector<Values> *records, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("%1 was not found").arg(QDir::toNativeSeparators(path));
        return false;
    }
    const Connection connection(path, true);
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                        .arg(fieldNames().join(QStringLiteral(", ")), QLatin1String(kCommentTableName)))) {
        *error = reasonOf(query.lastError());
        return false;
    }
    while (query.next()) {
        Values values;
        for (int i = 0; i < 5; ++i)
            values[i] = query.value(i).toString();
        records->push_back(values);
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
    bool load(const QSqlDatabase &db, QString *error)
    {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT rowid, Author, Title, Genre, File FROM %1")
                            .arg(QLatin1String(kCommentTableName)))) {
            *error = reasonOf(query.lastError());
            return false;
        }
        while (query.next()) {
            Values values;
            for (int i = 0; i < 4; ++i)
                values[i] = query.value(i + 1).toString();
            rows_.insert(keyOf(values), query.value(0).toLongLong());
        }
        return true;
    }
    void add(const Values &values, qint64 rowId) { rows_.insert(keyOf(values), rowId); }
    // Row ids whose first four values equal these.
    QList<qint64> candidates(const Values &values) const { return rows_.values(keyOf(values)); }

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
    QMultiHash<QByteArray, qint64> rows_;
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
    const Connection connection(databasePath, false);
    QSqlDatabase db = connection.database();
    if (!db.isOpen()) {
        *error = reasonOf(db.lastError());
        return false;
    }
    // Room for the whole transaction: spilling it to the file would lock the windows' reads
    // out while the import lets them run between slices.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -%1").arg(kImportCacheKiB));
    PresentRecords present;
    if (!db.transaction() || !present.load(db, error)) {
        if (error->isEmpty())
            *error = reasonOf(db.lastError());
        return false;
    }
    QSqlQuery comment(db);
    comment.prepare(QStringLiteral("SELECT Comment FROM %1 WHERE rowid = ?").arg(QLatin1String(kCommentTableName)));
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?)")
                       .arg(QLatin1String(kCommentTableName), fieldNames().join(QStringLiteral(", "))));
    for (size_t done = 0; done < records.size(); ++done) {
        if (done % kImportSlice == 0 && !progress.advance(int(done))) {
            *error = QStringLiteral("cancelled");
            db.rollback();
            return false;
        }
        const Values &values = records[done];
        bool found = false;
        for (const qint64 rowId : present.candidates(values)) {
            comment.addBindValue(rowId);
            if (comment.exec() && comment.next()) {
                const QString stored = comment.value(0).toString();
                found = (plainText ? (*plainText)(stored) : stored) == values[kCommentField];
            }
            comment.finish();
            if (found)
                break;
        }
        if (found) {
            ++counts->skipped;
            continue;
        }
        for (int i = 0; i < 5; ++i)
            insert.addBindValue(i == kCommentField && plainText ? PlainTextToCommentHtml(values[i]) : values[i]);
        if (!insert.exec()) {
            *error = reasonOf(insert.lastError());
            db.rollback();
            return false;
        }
        present.add(values, insert.lastInsertId().toLongLong());
        ++counts->added;
    }
    if (!db.commit()) {
        *error = reasonOf(db.lastError());
        db.rollback();
        return false;
    }
    return true;
}

QString backupFailure(int code, sqlite3 *connection)
{
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("the comment database is locked by another program");
    if (code == SQLITE_FULL)
        return QStringLiteral("the disk is full");
    return QString::fromUtf8(connection ? sqlite3_errmsg(connection) : sqlite3_errstr(code));
}

// A consistent copy of the database into the (empty) draft, every step of it checked.
bool backUp(const QString &databasePath, const QString &draft, QString *error)
{
    sqlite3 *source = nullptr;
    sqlite3 *copy = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(databasePath).constData(), &source, SQLITE_OPEN_READONLY, nullptr);
    sqlite3 *failed = source;
    if (rc == SQLITE_OK) {
        rc = sqlite3_open_v2(QFile::encodeName(draft).constData(), &copy, SQLITE_OPEN_READWRITE, nullptr);
        failed = copy;
    }
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(source, kBusyTimeoutMs);
        sqlite3_backup *backup = sqlite3_backup_init(copy, "main", source, "main");
        if (!backup) {
            rc = sqlite3_errcode(copy);
        } else {
            const int stepped = sqlite3_backup_step(backup, -1);
            const int finished = sqlite3_backup_finish(backup);
            rc = stepped != SQLITE_DONE ? stepped : finished;
        }
    }
    if (rc != SQLITE_OK)
        *error = backupFailure(rc, failed);
    // The copy's last writes happen as it closes.
    const int closed = sqlite3_close(copy);
    if (rc == SQLITE_OK && closed != SQLITE_OK) {
        *error = backupFailure(closed, nullptr);
        rc = closed;
    }
    sqlite3_close(source);
    return rc == SQLITE_OK;
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
