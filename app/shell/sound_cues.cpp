#include "shell/sound_cues.h"

#include "platform/sound_player.h"
#include "shell/program_files.h"

void PlayCue(const Settings &settings, SoundPlayer &player, const QString &name)
{
    if (settings.ConfigSound == 0)
        return;
    player.play(ProgramFile(name));
}
