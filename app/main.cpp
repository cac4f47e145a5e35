#include "platform/qt_clipboard.h"
#include "platform/qt_color_scheme.h"
#include "platform/qt_control_loader.h"
#include "platform/qt_database_opener.h"
#include "platform/qt_directory_picker.h"
#include "platform/qt_message_box.h"
#include "platform/qt_message_boxes.h"
#include "platform/qt_program_starter.h"
#include "platform/qt_shell.h"
#include "platform/qt_sound_player.h"
#include "shell/desktop.h"
#include "shell/main_window.h"
#include "shell/working_folder.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Shelvana"));
    QApplication::setApplicationVersion(QStringLiteral(SHELVANA_VERSION));
    ApplyColorScheme(qEnvironmentVariable("SHELVANA_COLOR_SCHEME"));
    QtMessageBox messages;
    if (!EnterWorkingFolder(messages))
        return 1;

    QtControlLoader controls;
    if (!controls.load()) {
        QMessageBox::warning(nullptr, QStringLiteral("Shelvana"),
                             controls.errorText() + QStringLiteral("\n\nStandard buttons are used instead."));
    }
    QtSoundPlayer sound;
    QtShell shell;
    QtProgramStarter programs;
    QtDirectoryPicker directories(nullptr);
    QtClipboard clipboard;
    QtMessageBoxes dialogs;
    QtDatabaseOpener databases;
    Desktop desktop{sound, shell, programs, messages, directories, clipboard, dialogs, databases};

    MainWindow window(desktop, &controls);
    window.show();
    // The icon's drawing library loads once the window is up, not before.
    QTimer::singleShot(0, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/shelvana.svg"))); });
    return app.exec();
}
