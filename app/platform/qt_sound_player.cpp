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
        if (backend_)
            backend_->onError([this](const QString &error) { report(error); });
        else
            report(QStringLiteral("The sound cues cannot be played: the audio back end did not load. %1")
                       .arg(plugin.errorString()));
    }
    return backend_;
}

void QtSoundPlayer::play(const QString &filePath)
{
    if (!QFileInfo(filePath).isReadable()) {
        report(QStringLiteral("The sound %1 could not be read.").arg(QDir::toNativeSeparators(filePath)));
        QApplication::beep();
        return;
    }
    if (SoundBackend *player = backend())
        player->play(filePath);
    else
        QApplication::beep();
}

void QtSoundPlayer::report(const QString &problem)
{
    if (reported_)
        return;
    reported_ = true;
    if (problemHandler_)
        problemHandler_(problem);
}
