#include "shell/browser_links.h"

#include "base/text_lines.h"

#include <QDir>
#include <QFile>

namespace {

BrowserLinks noLinks(const QString &problem)
{
    BrowserLinks links;
    links.problem = problem;
    return links;
}

} // namespace

BrowserLinks ParseLinks(const QString &text)
{
    BrowserLinks links;
    QString pendingName;
    bool haveName = false;
    for (const QString &raw : SplitTextLines(text)) {
        const QString line = TrimBlanks(raw);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!haveName) {
            pendingName = line;
            haveName = true;
        } else {
            links.names.append(pendingName);
            links.prefixes.append(line);
            haveName = false;
        }
    }
    return links;
}

BrowserLinks LoadLinks(const QString &path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return noLinks(QStringLiteral("No browser links: %1 could not be read (%2).").arg(shown, file.errorString()));
    if (file.size() > kMaxLinksFileBytes)
        return noLinks(QStringLiteral("No browser links: %1 is too large to be a links file.").arg(shown));
    const QByteArray bytes = file.read(kMaxLinksFileBytes + 1);
    if (bytes.size() > kMaxLinksFileBytes)
        return noLinks(QStringLiteral("No browser links: %1 is too large to be a links file.").arg(shown));
    if (bytes.contains('\0'))
        return noLinks(QStringLiteral("No browser links: %1 is not a text file.").arg(shown));
    return ParseLinks(QString::fromUtf8(bytes));
}
