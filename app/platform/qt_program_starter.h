#pragma once

#include "platform/program_starter.h"

class QtProgramStarter final : public ProgramStarter
{
public:
    QString findProgram(const QString &name) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
};
