#include "shell/working_folder.h"

#include "base/program_files.h"
#include "base/settings_file.h"
#include "comments/comment_schema.h"
#include "platform/message_box.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kDatabaseName = QString::fromLatin1(kCommentDatabaseFileName);
const QString kTitle = QStringLiteral("Shelvana");

// Copies the template unless a database is there already.
void seedDatabase(const QString &folder, const QString &databaseTemplate, QString *problem)
{
    const QString target = QDir(folder).filePath(kDatabaseName);
    if (QFileInfo::exists(target))
        return;
    QString why;
    if (!CopyForUser(databaseTemplate, target, &why))
        *problem = QStringLiteral("The empty comment database could not be put in place. ") + why;
}

// Why a folder could not be made: the nearest path above it that exists is a file, or a
// folder that cannot be written.
QString whyNotMade(const QString &folder)
{
    QFileInfo above(folder);
    while (!above.exists() && !above.isRoot())
        above = QFileInfo(above.absolutePath());
    const QString shown = QDir::toNativeSeparators(above.filePath());
    return above.isDir() ? QStringLiteral("%1 cannot be written.").arg(shown)
                         : QStringLiteral("%1 is a file, not a folder.").arg(shown);
}

// Working anywhere else would read and write another folder's settings and comments.
bool sayWhyTheProgramEnds(const QString &problem, MessageBox &messages)
{
    messages.show(kTitle, problem + QStringLiteral("\n\nShelvana ends without reading or writing settings and "
                                                   "comments in any other folder."));
    return false;
}

} // namespace

QString UserDataFolder(const QString &xdgDataHome, const QString &home)
{
    const QString dataHome = QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome : home + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/shelvana"));
}

QString UserDataFolder()
{
    return UserDataFolder(qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
}

bool HoldsProgramData(const QString &folder)
{
    const QDir dir(folder);
    return QFileInfo::exists(dir.filePath(QString::fromLatin1(kSettingsFileName)))
        || QFileInfo::exists(dir.filePath(kDatabaseName));
}

QString PrepareWorkingFolder(const QString &current, const QString &userFolder,
                             const QString &databaseTemplate, QString *problem)
{
    problem->clear();
    if (HoldsProgramData(current))
        return current;
    if (!QDir().mkpath(userFolder)) {
        *problem = QStringLiteral("The folder %1 for the settings and comments could not be made: %2")
                       .arg(QDir::toNativeSeparators(userFolder), whyNotMade(userFolder));
        return QString();
    }
    seedDatabase(userFolder, databaseTemplate, problem);
    return userFolder;
}

bool EnterWorkingFolder(const QString &current, const QString &userFolder, const QString &databaseTemplate,
                        MessageBox &messages)
{
    QString problem;
    const QString folder = PrepareWorkingFolder(current, userFolder, databaseTemplate, &problem);
    if (folder.isEmpty())
        return sayWhyTheProgramEnds(problem, messages);
    if (!QDir::setCurrent(folder)) {
        return sayWhyTheProgramEnds(QStringLiteral("The folder %1 for the settings and comments could not be entered.")
                                        .arg(QDir::toNativeSeparators(folder)),
                                    messages);
    }
    if (!problem.isEmpty())
        messages.show(kTitle, problem);
    return true;
}

bool EnterWorkingFolder(MessageBox &messages)
{
    return EnterWorkingFolder(QDir::currentPath(), UserDataFolder(), ProgramFile(kDatabaseName), messages);
}
