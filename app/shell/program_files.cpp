#include "shell/program_files.h"

#include <QCoreApplication>

QString ProgramFile(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}
