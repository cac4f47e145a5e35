#pragma once

#include <QString>

// The main window's own steps, called by the start-up and exit rules below.
class MainWindowSteps
{
public:
    virtual ~MainWindowSteps() = default;
    virtual void loadCommentWindow() = 0; // loaded, not shown
    virtual void selectTab(int index) = 0;
    virtual void loadSettings() = 0;
    virtual void loadLinks() = 0;
    virtual void selectLink(int position) = 0;
    virtual void playCue(const QString &name) = 0;
    virtual void unloadCommentWindow() = 0;
    virtual void unloadMainWindow() = 0;
};

inline constexpr int kIntroTab = 0;
inline constexpr int kUtilitiesTab = 1;
inline constexpr int kCommentsTab = 2;
inline constexpr int kConfigTab = 3;

// The load step, before the window is first shown. The welcome cue comes last: it reads
// the sound switch that the settings bring.
void StartUp(MainWindowSteps &steps);

// Any Exit button, or the window frame's close: nothing is saved, nothing asked.
void Exit(MainWindowSteps &steps);
