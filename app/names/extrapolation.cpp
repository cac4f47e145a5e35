#include "names/extrapolation.h"

#include "base/path_routines.h"
#include "base/text_lines.h"
#include "names/comment_lookup.h"
#include "names/name_routines.h"

#include <QHash>
#include <QStringList>

using NameRoutines::CleanName;

namespace {

// Several copied files arrive one per line; the last one is analysed. Taking the
// line first keeps an earlier path's folders and dots out of the last file's parts.
QString LastPath(const QString &text)
{
    const QStringList lines = SplitTextLines(text);
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        if (!line->isEmpty())
            return *line;
    }
    return QString();
}

bool NothingToAnalyse(const QString &path, QChar separator)
{
    return path.isEmpty() || path.endsWith(separator) || path == QLatin1String(kNoFilesInClipboard);
}

// The name of the folder that holds the file; empty for a bare file name.
QString HoldingFolder(const QString &path, QChar separator)
{
    const QStringList parts = path.split(separator);
    return parts.size() >= 2 ? parts[parts.size() - 2] : QString();
}

Indicator LookUpComment(const QString &file, CommentLookup *lookup)
{
    if (!lookup)
        return Indicator::Grey;
    return lookup->findFile(file) == file ? Indicator::Green : Indicator::Grey;
}

// Splits the name at the first separator: the part before goes to `first`, the part
// after to `second` only when there is one, so an empty tail keeps the old field.
bool SplitInto(const QString &name, QLatin1StringView separator, QString &first, QString &second)
{
    const qsizetype at = name.indexOf(separator);
    if (at < 0)
        return false;
    first = CleanName(name.left(at));
    const qsizetype tail = at + separator.size();
    if (tail < name.size())
        second = CleanName(name.mid(tail));
    return true;
}

void ExtrapolateFields(const QString &path, QChar separator, FileInfo &info)
{
    QString name = PathRoutines::NameWithoutExtension(path, separator);
    if (SplitInto(name, QLatin1StringView("_-_"), info.author, info.title))
        return;
    if (SplitInto(name, QLatin1StringView("-"), info.author, info.title))
        return;
    // Punctuation reads as blanks for " by " and the folder rule.
    name = NameRoutines::BlankOddCharacters(name);
    if (SplitInto(name, QLatin1StringView(" by "), info.title, info.author))
        return;
    const QString folder = HoldingFolder(path, separator);
    if (const auto shared = MatchFolderWords(folder, name)) {
        info.author = shared->author;
        info.title = shared->title;
    } else {
        info.author = CleanName(folder);
        info.title = CleanName(name);
    }
}

QStringList WordsOf(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char(' '));
}

} // namespace

Analysis ExtrapolateAuthorTitle(const QString &text, const FileInfo &current, CommentLookup *lookup,
                                QChar separator)
{
    const QString path = LastPath(text);
    if (NothingToAnalyse(path, separator))
        return Analysis{current, false};

    Analysis analysis{current, true};
    FileInfo &info = analysis.info;
    info.file = PathRoutines::FileNameOf(path, separator);
    info.indicator = LookUpComment(info.file, lookup);
    ExtrapolateFields(path, separator, info);
    return analysis;
}

std::optional<AuthorTitle> MatchFolderWords(const QString &folder, const QString &name)
{
    const QStringList folderWords = WordsOf(CleanName(folder));
    QStringList titleWords = WordsOf(CleanName(name));

    // Title word positions by their lower-case form, so that long names stay linear.
    // Clean words are never empty, so an emptied title word can match nothing again.
    QHash<QString, QList<qsizetype>> positions;
    for (qsizetype j = 0; j < titleWords.size(); ++j)
        positions[titleWords[j].toLower()].append(j);

    QString common;
    for (const QString &word : folderWords) {
        const auto found = positions.find(word.toLower());
        if (found == positions.end())
            continue;
        for (const qsizetype j : std::as_const(found.value())) {
            titleWords[j].clear();
            common += QLatin1Char(' ') + word;
        }
        positions.erase(found);
    }
    if (common.isEmpty())
        return std::nullopt;
    return AuthorTitle{TrimBlanks(common), TrimBlanks(titleWords.join(QLatin1Char(' ')))};
}
