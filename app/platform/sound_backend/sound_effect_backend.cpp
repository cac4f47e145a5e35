#include "sound_backend.h"

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
    void play(const QString &filePath) override
    {
        effect_.stop();
        effect_.setSource(QUrl::fromLocalFile(filePath));
        effect_.play();
    }

private:
    QSoundEffect effect_;
};

#include "sound_effect_backend.moc"
