#pragma once

#include "base/settings.h"

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
