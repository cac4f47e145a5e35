#include "platform/qt_program_starter.h"

#include <QProcess>
#include <QStandardPaths>

QString QtProgramStarter::findProgram(const QString &name)
{
    return QStandardPaths::findExecutable(name);
}

bool QtProgramStarter::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}
