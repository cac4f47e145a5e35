#include "platform/qt_directory_picker.h"

#include <QApplication>
#include <QFileDialog>

std::optional<QString> QtDirectoryPicker::pickDirectory(const QString &title, const QString &startDirectory)
{
    const QString chosen = QFileDialog::getExistingDirectory(owner_ ? owner_ : QApplication::activeWindow(), title, startDirectory);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}
