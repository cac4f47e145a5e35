#include "lists/make_list_window.h"
#include "platform/qt_sound_player.h"
#include "shell/program_files.h"
#include "shell/settings_file.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Shelvana"));
    const Settings settings = LoadSettings();
    QtSoundPlayer sound;
    auto *window = new MakeListWindow(settings, sound, ProgramFile(QStringLiteral("Script.txt")));
    window->show();
    return app.exec();
}
