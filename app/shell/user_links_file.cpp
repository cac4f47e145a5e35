#include "shell/user_links_file.h"

#include "base/program_files.h"
#include "shell/browser_links.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kLinks = QString::fromLatin1(kLinksFileName);

} // namespace

QString LinksFileToRead(const QString &userFolder, const QString &programFolder)
{
    const QString own = QDir(userFolder).filePath(kLinks);
    return QFileInfo::exists(own) ? own : QDir(programFolder).filePath(kLinks);
}

QString LinksFileToEdit(const QString &userFolder, const QString &programFolder)
{
    const QString own = QDir(userFolder).filePath(kLinks);
    if (QFileInfo::exists(own))
        return own;
    if (!CopyForUser(QDir(programFolder).filePath(kLinks), own))
        QFile(own).open(QIODevice::WriteOnly | QIODevice::NewOnly);
    return own;
}

QString LinksFileToRead()
{
    return LinksFileToRead(QDir::currentPath(), QCoreApplication::applicationDirPath());
}

QString LinksFileToEdit()
{
    return LinksFileToEdit(QDir::currentPath(), QCoreApplication::applicationDirPath());
}
