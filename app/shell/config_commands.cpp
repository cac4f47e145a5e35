#include "shell/config_commands.h"

#include "base/settings_file.h"
#include "platform/directory_picker.h"
#include "platform/message_box.h"
#include "shell/sound_cues.h"

#include <QCoreApplication>

namespace {

const QString kLeaveCopiedFilesKey = QStringLiteral("Clipboard/LeaveCopiedFiles");

// The program names no organisation: its own name stands in, so the file gets a folder of its own.
QString organisation()
{
    const QString name = QCoreApplication::organizationName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

} // namespace

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

UserPreferences::UserPreferences()
    : store_(QSettings::NativeFormat, QSettings::UserScope, organisation(), QCoreApplication::applicationName())
{
}

bool UserPreferences::leaveCopiedFiles() const
{
    return store_.value(kLeaveCopiedFilesKey, false).toBool();
}

bool UserPreferences::setLeaveCopiedFiles(bool leave, QString *error)
{
    store_.setValue(kLeaveCopiedFilesKey, leave);
    store_.sync();
    if (store_.status() == QSettings::NoError)
        return true;
    *error = QStringLiteral("Could not keep the choice in %1: the file cannot be written.").arg(store_.fileName());
    return false;
}
