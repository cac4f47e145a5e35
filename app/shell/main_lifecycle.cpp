#include "shell/main_lifecycle.h"

void StartUp(MainWindowSteps &steps)
{
    steps.loadCommentWindow();
    steps.selectTab(kIntroTab);
    steps.loadSettings();
    steps.loadLinks();
    steps.selectLink(0);
    steps.playCue(QStringLiteral("welcomef.wav"));
}

void Exit(MainWindowSteps &steps)
{
    steps.unloadCommentWindow();
    steps.unloadMainWindow();
}
