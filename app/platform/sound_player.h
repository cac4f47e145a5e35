#pragma once

#include <QString>

#include <functional>

// Plays a sound file in the background. A new request cuts off the one still playing;
// a file that cannot be played gives the desktop's alert sound instead.
class SoundPlayer
{
public:
    using ProblemHandler = std::function<void(const QString &problem)>;

    virtual ~SoundPlayer() = default;
    virtual void play(const QString &filePath) = 0;
    // Where the first problem of the run goes (a cue that cannot be played, no audio back end),
    // told once and without waiting for anyone, however many cues fail after it.
    virtual void onProblem(ProblemHandler handler) = 0;
};
