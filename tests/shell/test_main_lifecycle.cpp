#include "shell/main_lifecycle.h"

#include <QStringList>
#include <QTest>

namespace {

// Writes down each step the rules call, in order.
class RecordingSteps final : public MainWindowSteps
{
public:
    QStringList calls;

    void loadCommentWindow() override { calls << "loadCommentWindow"; }
    void selectTab(int index) override { calls << QStringLiteral("selectTab %1").arg(index); }
    void loadSettings() override { calls << "loadSettings"; }
    void loadLinks() override { calls << "loadLinks"; }
    void selectLink(int position) override { calls << QStringLiteral("selectLink %1").arg(position); }
    void playCue(const QString &name) override { calls << "playCue " + name; }
    void unloadCommentWindow() override { calls << "unloadCommentWindow"; }
    void unloadMainWindow() override { calls << "unloadMainWindow"; }
};

} // namespace

class TestMainLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void startUpRunsItsStepsInOrder()
    {
        RecordingSteps steps;
        StartUp(steps);
        // The welcome cue comes after the settings, whose sound switch it reads.
        QCOMPARE(steps.calls, QStringList({"loadCommentWindow", "selectTab 0", "loadSettings", "loadLinks",
                                           "selectLink 0", "playCue welcomef.wav"}));
    }

    void exitUnloadsTheCommentWindowThenTheMainWindow()
    {
        RecordingSteps steps;
        Exit(steps);
        QCOMPARE(steps.calls, QStringList({"unloadCommentWindow", "unloadMainWindow"}));
    }
};

QTEST_GUILESS_MAIN(TestMainLifecycle)
#include "test_main_lifecycle.moc"
