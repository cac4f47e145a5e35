#include "platform/qt_sound_player.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

QtSoundPlayer::QtSoundPlayer() = default;
QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::play(const QString &filePath)
{
    if (!QFileInfo(filePath).isReadable()) {
        QApplication::beep();
        return;
    }
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(filePath));
    effect_->play();
}
