#pragma once

#include "base/settings.h"

class SoundPlayer;

// Plays a cue file from beside the program when sound is switched on.
void PlayCue(const Settings &settings, SoundPlayer &player, const QString &name);
