#include "shell/config_commands.h"

#include "base/settings_file.h"
#include "platform/directory_picker.h"
#include "platform/message_box.h"
#include "shell/sound_cues.h"

void ChooseDirectory(Settings &settings, DirectoryField field, DirectoryPicker &picker)
{
    std::optional<QString> chosen = picker.pickDirectory(QStringLiteral("Choose Directory"), QString());
    if (!chosen)
        return;
    QString &target = field == DirectoryField::EbookDir ? settings.ConfigEbookDir : settings.ConfigListDir;
    target = EnsureTrailingBackslash(*chosen);
}

bool SaveConfig(const Settings &settings, const QString &path, SoundPlayer &sound, MessageBox &messages)
{
    QString error;
    if (!SaveSettings(settings, &error, path)) {
        messages.show(QStringLiteral("Shelvana"), error);
        return false;
    }
    PlayCue(settings, sound, QStringLiteral("vuuum.wav"));
    return true;
}
