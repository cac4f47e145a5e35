#include "sound_backend.h"

#include <QDir>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>

// One effect for the whole program, so a new cue replaces the one playing.
class SoundEffectBackend final : public QObject, public SoundBackend
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SHELVANA_SOUND_BACKEND_IID)
    Q_INTERFACES(SoundBackend)

public:
    SoundEffectBackend()
    {
        connect(&effect_, &QSoundEffect::statusChanged, this, [this] {
            if (effect_.status() == QSoundEffect::Error && error_) {
                error_(QStringLiteral("The sound %1 could not be played.")
                           .arg(QDir::toNativeSeparators(effect_.source().toLocalFile())));
            }
        });
    }

    void play(const QString &filePath) override
    {
        effect_.stop();
        effect_.setSource(QUrl::fromLocalFile(filePath));
        effect_.play();
    }

    void onError(ErrorHandler handler) override { error_ = std::move(handler); }

private:
    QSoundEffect effect_;
    ErrorHandler error_;
};

#include "sound_effect_backend.moc"
