#pragma once

#include <QString>
#include <QStringList>

// Finds installed programs and starts them without waiting for them.
class ProgramStarter
{
public:
    virtual ~ProgramStarter() = default;
    // The program's full path, or empty when it is not installed.
    virtual QString findProgram(const QString &name) = 0;
    // False when the program could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
};
