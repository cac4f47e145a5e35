#include "platform/qt_sound_player.h"
#include "support/test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The real player and back end: every problem reaches the handler, but only the first one.
class TestSoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void theFirstProblemIsToldOnce_data()
    {
        QTest::addColumn<bool>("backEndShips");
        QTest::addColumn<QByteArray>("cue");
        QTest::addColumn<QString>("expected");
        QTest::newRow("back end missing") << false << QByteArray("RIFF") << "audio back end did not load";
        QTest::newRow("cue missing") << true << QByteArray() << "could not be read";
        QTest::newRow("cue that is no sound") << true << QByteArray("not a wave file") << "could not be played";
    }
    void theFirstProblemIsToldOnce()
    {
        QFETCH(bool, backEndShips);
        QFETCH(QByteArray, cue);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        const QString cueFile = folder.filePath(QStringLiteral("cue.wav"));
        if (!cue.isEmpty())
            WriteTestFile(cueFile, cue);
        QtSoundPlayer player(backEndShips ? qEnvironmentVariable("SHELVANA_BUILD_DIR") : folder.path());
        QStringList problems;
        player.onProblem([&problems](const QString &problem) { problems << problem; });

        for (int cues = 0; cues < 3; ++cues) {
            player.play(cueFile);
            QTRY_COMPARE(problems.size(), 1);
        }
        QTest::qWait(200); // a later report from the back end would show here
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().contains(expected), qPrintable(problems.first()));
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "test_sound_player.moc"
