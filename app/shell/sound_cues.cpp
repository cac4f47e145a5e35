#include "shell/sound_cues.h"

#include "base/program_files.h"
#include "platform/sound_player.h"

void PlayCue(const Settings &settings, SoundPlayer &player, const QString &name)
{
    if (settings.ConfigSound == 0)
        return;
    player.play(ProgramFile(name));
}
