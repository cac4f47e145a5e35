#include "comments/replace_together.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// ".Comments.csv.new-k3x9a" beside "Comments.csv".
QString hiddenSibling(const QString &target, const char *tag)
{
    const QFileInfo info(target);
    return info.dir().filePath(QLatin1Char('.') + info.fileName() + QLatin1Char('.') + QLatin1String(tag)
                               + QLatin1Char('-') + QString::number(QRandomGenerator::global()->generate64(), 36));
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString failure(const QString &what, const QString &path)
{
    return QStringLiteral("%1 %2: %3").arg(what, shown(path), qt_error_string(errno));
}

} // namespace

ReplaceTogether::~ReplaceTogether()
{
    for (const Entry &entry : entries_) {
        if (!entry.replaced)
            ::unlink(native(entry.draft).constData());
    }
}

QString ReplaceTogether::addDraft(const QString &target, QString *error)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString draft = hiddenSibling(target, "new");
        // Created with the usual permissions (0666 less the umask), like any new file.
        const int descriptor = ::open(native(draft).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::close(descriptor);
            entries_.push_back({target, draft, QString(), false, false});
            return draft;
        }
        if (errno != EEXIST)
            break;
    }
    *error = failure(QStringLiteral("cannot create a new file beside"), target);
    return QString();
}

// A hard link keeps the old file while the new one takes its name in one rename; where the
// file system has no hard links the old file is moved aside instead.
bool ReplaceTogether::keepOld(Entry &entry, QString *error)
{
    struct stat old {};
    if (::lstat(native(entry.target).constData(), &old) != 0)
        return true;
    const QString aside = hiddenSibling(entry.target, "old");
    if (::link(native(entry.target).constData(), native(aside).constData()) == 0) {
        entry.asideIsLink = true;
    } else if (::rename(native(entry.target).constData(), native(aside).constData()) != 0) {
        *error = failure(QStringLiteral("cannot replace"), entry.target);
        return false;
    }
    entry.aside = aside;
    return true;
}

bool ReplaceTogether::commit(QString *error)
{
    for (const Entry &entry : entries_) {
        if (QFileInfo(entry.target).isDir() && !QFileInfo(entry.target).isSymLink()) {
            *error = QStringLiteral("%1 is a folder").arg(shown(entry.target));
            return false;
        }
    }
    for (Entry &entry : entries_) {
        if (!keepOld(entry, error)) {
            undo();
            return false;
        }
        if (::rename(native(entry.draft).constData(), native(entry.target).constData()) != 0) {
            *error = failure(QStringLiteral("cannot replace"), entry.target);
            undo();
            return false;
        }
        entry.replaced = true;
    }
    for (Entry &entry : entries_) {
        if (!entry.aside.isEmpty())
            ::unlink(native(entry.aside).constData());
    }
    return true;
}

// Every target back as it was; the new files become drafts again, and go with them.
void ReplaceTogether::undo()
{
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (entry->replaced)
            entry->replaced = ::rename(native(entry->target).constData(), native(entry->draft).constData()) != 0;
        if (entry->aside.isEmpty())
            continue;
        if (entry->asideIsLink && QFileInfo::exists(entry->target))
            ::unlink(native(entry->aside).constData());
        else
            ::rename(native(entry->aside).constData(), native(entry->target).constData());
        entry->aside.clear();
    }
}
