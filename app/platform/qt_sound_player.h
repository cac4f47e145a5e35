#pragma once

#include "platform/sound_player.h"

#include <memory>

class QSoundEffect;

// One effect for the whole program, so a new cue replaces the one playing. The audio
// back end starts with the first cue, not with the program.
class QtSoundPlayer final : public SoundPlayer
{
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString &filePath) override;

private:
    std::unique_ptr<QSoundEffect> effect_;
};
