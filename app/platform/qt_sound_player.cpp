#include "platform/qt_sound_player.h"

#include <QApplication>
#include <QFileInfo>
#include <QUrl>

void QtSoundPlayer::play(const QString &filePath)
{
    if (!QFileInfo(filePath).isReadable()) {
        QApplication::beep();
        return;
    }
    effect_.stop();
    effect_.setSource(QUrl::fromLocalFile(filePath));
    effect_.play();
}
