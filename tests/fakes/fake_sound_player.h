#pragma once

#include "platform/sound_player.h"

#include <QStringList>

// Remembers what would have been played.
class FakeSoundPlayer final : public SoundPlayer
{
public:
    QStringList played;
    void play(const QString &filePath) override { played << filePath; }
};
