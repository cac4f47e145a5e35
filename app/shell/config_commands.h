#pragma once

#include "base/settings.h"

#include <QSettings>

class DirectoryPicker;
class MessageBox;
class SoundPlayer;

enum class DirectoryField { EbookDir, ListDir };

// Asks for a directory; a confirmed choice is stored with a trailing separator,
// a cancelled one leaves the field as it was. Nothing is saved.
void ChooseDirectory(Settings &settings, DirectoryField field, DirectoryPicker &picker);

// "Save Config": writes the settings file, then plays its cue. A failed save says why and
// leaves the old file as it was. True when saved.
bool SaveConfig(const Settings &settings, const QString &path, SoundPlayer &sound, MessageBox &messages);

// The per-user choices that Path.txt does not hold (its format stays as it is), kept in the
// desktop's settings store under the program's name (~/.config/Shelvana/Shelvana.conf).
class UserPreferences
{
public:
    UserPreferences();

    // Analysed files stay on the clipboard; by default the analysis empties it.
    bool leaveCopiedFiles() const;
    // Keeps the choice at once. False, with the reason in error, when it could not be kept.
    bool setLeaveCopiedFiles(bool leave, QString *error);

private:
    QSettings store_;
};
