#pragma once

#include "shell/settings.h"

class DirectoryPicker;
class Shell;

enum class DirectoryField { EbookDir, ListDir };

// Asks for a directory; a confirmed choice is stored with a trailing separator,
// a cancelled one leaves the field as it was. Nothing is saved.
void ChooseDirectory(Settings &settings, DirectoryField field, DirectoryPicker &picker);

// Opens the links file in the desktop's editor. False when nothing could open it.
bool EditBrowserLinks(Shell &shell, const QString &linksFile);
