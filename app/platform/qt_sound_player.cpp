#include "platform/qt_sound_player.h"

#include "platform/sound_backend/sound_backend.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

QtSoundPlayer::QtSoundPlayer(const QString &directory)
    : directory_(directory.isEmpty() ? QCoreApplication::applicationDirPath() : directory)
{
}

SoundBackend *QtSoundPlayer::backend()
{
    if (!backend_ && !loadFailed_) {
        // Stays loaded for the rest of the run.
        QPluginLoader plugin(QDir(directory_).filePath(QStringLiteral("shelvana-sound")));
        backend_ = qobject_cast<SoundBackend *>(plugin.instance());
        loadFailed_ = !backend_;
    }
    return backend_;
}

void QtSoundPlayer::play(const QString &filePath)
{
    SoundBackend *player = QFileInfo(filePath).isReadable() ? backend() : nullptr;
    if (player)
        player->play(filePath);
    else
        QApplication::beep();
}
