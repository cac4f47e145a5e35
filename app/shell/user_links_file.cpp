#include "shell/user_links_file.h"

#include "base/program_files.h"
#include "platform/message_box.h"
#include "shell/browser_links.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kLinks = QString::fromLatin1(kLinksFileName);

bool makeEmptyFile(const QString &path, QString *why)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return true;
    *why = QStringLiteral("%1 could not be made: %2").arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

} // namespace

QString LinksFileToRead(const QString &userFolder, const QString &programFolder)
{
    const QString own = QDir(userFolder).filePath(kLinks);
    return QFileInfo::exists(own) ? own : QDir(programFolder).filePath(kLinks);
}

std::optional<QString> LinksFileToEdit(const QString &userFolder, const QString &programFolder,
                                       MessageBox &messages)
{
    const QString own = QDir(userFolder).filePath(kLinks);
    if (QFileInfo::exists(own))
        return own;
    // A copy that failed is never replaced by an empty file: that would hide the shipped links.
    const QString shipped = QDir(programFolder).filePath(kLinks);
    QString why;
    if (QFileInfo::exists(shipped) ? CopyForUser(shipped, own, &why) : makeEmptyFile(own, &why))
        return own;
    messages.show(QStringLiteral("Shelvana"),
                  QStringLiteral("Your own copy of the browser links could not be made, so there is nothing to "
                                 "edit.\n\n") + why);
    return std::nullopt;
}

QString LinksFileToRead()
{
    return LinksFileToRead(QDir::currentPath(), QCoreApplication::applicationDirPath());
}

std::optional<QString> LinksFileToEdit(MessageBox &messages)
{
    return LinksFileToEdit(QDir::currentPath(), QCoreApplication::applicationDirPath(), messages);
}
