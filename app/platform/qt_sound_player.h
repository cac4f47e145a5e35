#pragma once

#include "platform/sound_player.h"

#include <QString>

class SoundBackend;

// Plays cues through the audio back end beside the program, loaded with the first cue.
// A file that cannot be played, or a missing back end, gives the desktop's alert sound, and
// the first such problem goes to the problem handler.
class QtSoundPlayer final : public SoundPlayer
{
public:
    // Looks for the back end in the given folder; empty means the program's own folder.
    explicit QtSoundPlayer(const QString &directory = QString());
    void play(const QString &filePath) override;
    void onProblem(ProblemHandler handler) override { problemHandler_ = std::move(handler); }

private:
    SoundBackend *backend();
    void report(const QString &problem);

    QString directory_;
    SoundBackend *backend_ = nullptr;
    bool loadFailed_ = false;
    bool reported_ = false;
    ProblemHandler problemHandler_;
};
