#pragma once

#include "platform/program_starter.h"

#include <QHash>
#include <QList>

// Programs "installed" by name; remembers what it started.
class FakeProgramStarter final : public ProgramStarter
{
public:
    QHash<QString, QString> installed; // name -> full path
    QList<QStringList> started;        // program, then its arguments
    bool startSucceeds = true;

    QString findProgram(const QString &name) override { return installed.value(name); }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        started.append(QStringList{program} + arguments);
        return startSucceeds;
    }
};
