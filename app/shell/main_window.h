#pragma once

#include "base/settings.h"
#include "comments/comment_data_source.h"
#include "names/clipboard_files.h"
#include "platform/qt_owned_window.h"
#include "shell/config_commands.h"
#include "shell/launchers.h"
#include "shell/main_lifecycle.h"

#include <QPointer>
#include <QWidget>

class CommentWindows;
class ConfigTab;
class MakeListWindow;
class QLabel;
class QTabWidget;
class QTextBrowser;
class QTimer;
class QVBoxLayout;
class QtControlLoader;
class UtilitiesTab;
struct Desktop;

// "Main": the program's home window with the tabs "Intro", "Utilities", "Comments" and
// "Config". It owns the settings and the comment data source (Data1 of the saved layout),
// watches the clipboard for copied files, and ends the program on Exit or when its frame is
// closed.
class MainWindow : public QWidget, private MainWindowSteps
{
    Q_OBJECT

public:
    // Runs the start-up sequence; the window is shown by the caller.
    MainWindow(Desktop &desktop, QtControlLoader *controls, QWidget *parent = nullptr);
    ~MainWindow() override;

    Settings &settings() { return settings_; }
    QTabWidget *tabs() const { return tabs_; }

    // Reads the clipboard once; copied files are analysed into the File Info frame.
    void pollClipboard();
    void analyseDroppedFile(const QString &path);

signals:
    // After an analysis filled the File Info frame (and may have moved the comment data source).
    void fileAnalysed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildTabs(QtControlLoader *controls);
    QWidget *commentsPage(QtControlLoader *controls);
    void watchClipboard();
    void showMakeList();
    void showAbout();
    void showHelp();

    void loadCommentWindow() override;
    void selectTab(int index) override;
    void loadSettings() override;
    void loadLinks() override;
    void selectLink(int position) override;
    void playCue(const QString &name) override;
    void unloadCommentWindow() override;
    void unloadMainWindow() override;

    // What the tabs and the comment windows use: set up before them, and kept until they are
    // gone (the destructor deletes every child first).
    Desktop &desktop_;
    QtControlLoader *controls_;
    Settings settings_;
    UserPreferences preferences_;
    CommentDataSource comments_;
    Launchers launchers_;
    ClipboardPoll clipboardPoll_;
    QTabWidget *tabs_ = nullptr;
    UtilitiesTab *utilities_ = nullptr;
    ConfigTab *config_ = nullptr;
    QVBoxLayout *commentsArea_ = nullptr; // the Comments tab's room for its fields, above Exit
    CommentWindows *commentWindows_ = nullptr;
    QLabel *firstStartHint_ = nullptr;
    QLabel *clipboardHint_ = nullptr;
    QTimer *clipboardTimer_ = nullptr;
    // No parent, so Exit, which only hides the main window, leaves it open and the program runs
    // on until it is closed too. It deletes itself when closed; one still open when the main
    // window goes (after the event loop has ended) goes with it.
    OwnedWindow<MakeListWindow> makeList_;
    // A window of this one: it deletes itself when closed, and Exit closes it.
    QPointer<QTextBrowser> help_;
    bool mainUnloaded_ = false;
};
