#include "names/clipboard_files.h"

#include "platform/clipboard.h"

#include <QFileInfo>
#include <QList>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QUrl>

#include <optional>
#include <utility>

namespace {

std::optional<QString> localPath(const QByteArray &line)
{
    const QUrl url = QUrl::fromEncoded(line.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("file"))
        return std::nullopt;
    const QString host = url.host();
    if (!host.isEmpty() && host != QLatin1String("localhost"))
        return std::nullopt; // a file on another machine
    const QString path = url.path(QUrl::FullyDecoded);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

QStringList pathsFromLines(const QList<QByteArray> &lines)
{
    QStringList paths;
    for (const QByteArray &line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        if (const std::optional<QString> path = localPath(line))
            paths.append(*path);
    }
    return paths;
}

} // namespace

QStringList PathsFromUriList(const QByteArray &uriList)
{
    return pathsFromLines(uriList.split('\n'));
}

QStringList PathsFromGnomeCopiedFiles(const QByteArray &data)
{
    QList<QByteArray> lines = data.split('\n');
    const QByteArray action = lines.isEmpty() ? QByteArray() : lines.takeFirst().trimmed();
    if (action != "copy" && action != "cut")
        return {};
    return pathsFromLines(lines);
}

std::optional<QString> DroppedFilePath(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    const std::optional<QString> path = urls.isEmpty() ? std::nullopt : localPath(urls.first().toEncoded());
    if (!path || QFileInfo(*path).isDir())
        return std::nullopt;
    return path;
}

QStringList PathsFromNautilusText(const QByteArray &text)
{
    const qsizetype firstLineEnd = text.indexOf('\n');
    if (firstLineEnd < 0 || text.left(firstLineEnd).trimmed() != kNautilusClipboardHeader)
        return {};
    return PathsFromGnomeCopiedFiles(text.mid(firstLineEnd + 1));
}

QStringList ClipboardGetFiles(Clipboard &clipboard)
{
    using Reader = QStringList (*)(const QByteArray &);
    // Text arrives as text/plain on X11, and as the charset variant from some Wayland programs.
    static const std::pair<const char *, Reader> readers[] = {
        {kUriListFormat, PathsFromUriList},
        {kGnomeCopiedFilesFormat, PathsFromGnomeCopiedFiles},
        {"text/plain;charset=utf-8", PathsFromNautilusText},
        {"text/plain", PathsFromNautilusText},
    };
    for (const auto &[format, read] : readers) {
        const QString mimeType = QString::fromLatin1(format);
        if (clipboard.hasFormat(mimeType))
            return read(clipboard.data(mimeType));
    }
    return {};
}

QString ClipboardText(const QStringList &paths)
{
    if (paths.isEmpty())
        return QString::fromLatin1(kNoFilesInClipboard);
    return paths.join(QStringLiteral("\r\n"));
}

ClipboardPoll::ClipboardPoll(Clipboard &clipboard) : clipboard_(clipboard) {}

void ClipboardPoll::setLeaveFilesOnClipboard(bool leave)
{
    leaveFiles_ = leave;
}

bool ClipboardPoll::poll(const FileInfo &current, CommentLookup *lookup,
                         const std::function<void(const FileInfo &)> &show, QString *analysedPath)
{
    if (looking_)
        return false;
    const QScopedValueRollback<bool> oneLookAtATime(looking_, true);
    const QStringList paths = ClipboardGetFiles(clipboard_);
    if (paths.isEmpty())
        analysed_.clear(); // the same files copied again are a new copy
    if (paths.isEmpty() || paths == analysed_)
        return false;
    const Analysis analysis = ExtrapolateAuthorTitle(ClipboardText(paths), current, lookup);
    if (!analysis.emptyClipboard)
        return false;
    analysed_ = paths;
    if (analysedPath)
        *analysedPath = paths.last();
    show(analysis.info);
    if (!leaveFiles_)
        empty();
    return true;
}

void ClipboardPoll::empty()
{
    clipboard_.clear();
    // Emptied at once (X11, where no change is reported for it): the same files copied again
    // are a new copy. Still shown (Wayland, where the compositor may refuse or answer later):
    // they are not analysed again.
    if (ClipboardGetFiles(clipboard_) != analysed_)
        analysed_.clear();
}
