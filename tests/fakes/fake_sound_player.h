#pragma once

#include "platform/sound_player.h"

#include <QStringList>

// Remembers what would have been played.
class FakeSoundPlayer final : public SoundPlayer
{
public:
    QStringList played;
    ProblemHandler problemHandler;
    void play(const QString &filePath) override { played << filePath; }
    void onProblem(ProblemHandler handler) override { problemHandler = std::move(handler); }
};
