#include "lists/make_list_window.h"
#include "platform/qt_control_loader.h"
#include "platform/qt_sound_player.h"
#include "shell/program_files.h"
#include "shell/settings_file.h"
#include "shell/working_folder.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Shelvana"));
    EnterWorkingFolder();

    QtControlLoader controls;
    if (!controls.load()) {
        QMessageBox::warning(nullptr, QStringLiteral("Shelvana"),
                             controls.errorText() + QStringLiteral("\n\nStandard buttons are used instead."));
    }
    const Settings settings = LoadSettings();
    QtSoundPlayer sound;
    auto *window = new MakeListWindow(settings, sound, &controls, ProgramFile(QStringLiteral("Script.txt")));
    window->show();
    return app.exec();
}
