#pragma once

#include "base/settings.h"
#include "lists/list_run_worker.h"

#include <QWidget>
#include <functional>
#include <memory>

class DirectoryLister;
class QLabel;
class QListWidget;
class QProgressBar;
class QTimer;
class QtControlLoader;
class Shell;
class SoundPlayer;

// "Make Book List": starts one list run shortly after it opens, shows the run's
// activity, the files found and the totals as they grow, and at the end which lists
// were written where; then it offers "Done", which closes it.
class MakeListWindow : public QWidget
{
    Q_OBJECT

public:
    // The visible found-file list stops growing here; the totals keep counting.
    static constexpr int kVisibleFoundFiles = 32000;

    using ListerFactory = std::function<std::unique_ptr<DirectoryLister>()>;

    // controls makes the hover button for "Done"; without it a standard button is used.
    // The settings are copied: the run reads them once, when it starts.
    MakeListWindow(const Settings &settings, SoundPlayer &sound, QtControlLoader *controls,
                   const QString &scriptPath, QWidget *parent = nullptr);
    ~MakeListWindow() override;

    // What reads the e-book tree (the file system unless replaced before the run starts).
    void setListerFactory(ListerFactory factory) { listerFactory_ = std::move(factory); }
    // What opens the list folder from the closing line (the desktop unless replaced).
    void setShell(Shell &shell) { shell_ = &shell; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls(QtControlLoader *controls);
    void followNewestFiles();
    void startRun();
    void showProgress(const QStringList &paths, qint32 files, qint32 directories);
    void showTotals(qint32 files, qint32 directories);
    void showResult(const ListRunResult &result);
    void openListFolder();

    Settings settings_;
    QString scriptPath_;
    ListerFactory listerFactory_;
    std::unique_ptr<Shell> ownShell_;
    Shell *shell_ = nullptr;
    ListRunInputs inputs_;
    QString listFolder_;
    ListRunWorker worker_;
    bool following_ = true;

    QLabel *filesCount_ = nullptr;
    QLabel *directoriesCount_ = nullptr;
    QListWidget *found_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QLabel *status_ = nullptr;
    QWidget *done_ = nullptr;
    QTimer *startTrigger_ = nullptr;
};
