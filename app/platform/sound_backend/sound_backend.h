#pragma once

#include <QString>
#include <QtPlugin>

#include <functional>

// The audio side of the sound player, in its own plugin so that the audio libraries load
// with the first cue and not with the program.
class SoundBackend
{
public:
    using ErrorHandler = std::function<void(const QString &error)>;

    virtual ~SoundBackend() = default;
    // Starts playing the file, cutting off what is playing; returns at once.
    virtual void play(const QString &filePath) = 0;
    // Where a cue that turns out not to play is told, later, from the event loop.
    virtual void onError(ErrorHandler handler) = 0;
};

#define SHELVANA_SOUND_BACKEND_IID "org.shelvana.SoundBackend/1.1"
Q_DECLARE_INTERFACE(SoundBackend, SHELVANA_SOUND_BACKEND_IID)
