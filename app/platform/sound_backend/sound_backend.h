#pragma once

#include <QString>
#include <QtPlugin>

// The audio side of the sound player, in its own plugin so that the audio libraries load
// with the first cue and not with the program.
class SoundBackend
{
public:
    virtual ~SoundBackend() = default;
    // Starts playing the file, cutting off what is playing; returns at once.
    virtual void play(const QString &filePath) = 0;
};

#define SHELVANA_SOUND_BACKEND_IID "org.shelvana.SoundBackend/1.0"
Q_DECLARE_INTERFACE(SoundBackend, SHELVANA_SOUND_BACKEND_IID)
