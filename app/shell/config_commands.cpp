#include "shell/config_commands.h"

#include "platform/directory_picker.h"
#include "platform/shell.h"
#include "shell/settings_file.h"

#include <QUrl>

void ChooseDirectory(Settings &settings, DirectoryField field, DirectoryPicker &picker)
{
    std::optional<QString> chosen = picker.pickDirectory(QStringLiteral("Choose Directory"), QString());
    if (!chosen)
        return;
    QString &target = field == DirectoryField::EbookDir ? settings.ConfigEbookDir : settings.ConfigListDir;
    target = EnsureTrailingBackslash(*chosen);
}

bool EditBrowserLinks(Shell &shell, const QString &linksFile)
{
    return shell.openUrl(QUrl::fromLocalFile(linksFile));
}
