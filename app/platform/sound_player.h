#pragma once

#include <QString>

// Plays a sound file in the background. A new request cuts off the one still playing;
// a file that cannot be played gives the desktop's alert sound instead.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString &filePath) = 0;
};
