#include "base/program_files.h"

#include "base/path_routines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

QString ProgramFile(const QString &name)
{
    return PathRoutines::JoinPath(QCoreApplication::applicationDirPath(), name);
}

bool CopyForUser(const QString &source, const QString &target, QString *error)
{
    QFile original(source);
    if (!original.copy(target)) {
        if (error) {
            *error = QStringLiteral("%1 could not be copied to %2: %3")
                         .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target),
                              original.errorString());
        }
        return false;
    }
    QFile copy(target);
    copy.setPermissions(copy.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}
