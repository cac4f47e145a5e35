#pragma once

#include "platform/sound_player.h"

#include <QSoundEffect>

// One effect for the whole program, so a new cue replaces the one playing.
class QtSoundPlayer final : public SoundPlayer
{
public:
    void play(const QString &filePath) override;

private:
    QSoundEffect effect_;
};
