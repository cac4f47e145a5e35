#pragma once

#include "platform/sound_player.h"

#include <QString>

class SoundBackend;

// Plays cues through the audio back end beside the program, loaded with the first cue.
// A file that cannot be played, or a missing back end, gives the desktop's alert sound.
class QtSoundPlayer final : public SoundPlayer
{
public:
    // Looks for the back end in the given folder; empty means the program's own folder.
    explicit QtSoundPlayer(const QString &directory = QString());
    void play(const QString &filePath) override;

private:
    SoundBackend *backend();

    QString directory_;
    SoundBackend *backend_ = nullptr;
    bool loadFailed_ = false;
};
