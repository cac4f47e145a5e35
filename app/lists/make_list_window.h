#pragma once

#include "lists/list_run_worker.h"
#include "shell/settings.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QProgressBar;
class QTimer;
class QtControlLoader;
class SoundPlayer;

// "Make Book List": starts one list run shortly after it opens, shows the files
// found and the totals, and offers "Done" when the run has ended.
class MakeListWindow : public QWidget
{
    Q_OBJECT

public:
    // The visible found-file list stops growing here; the totals keep counting.
    static constexpr int kVisibleFoundFiles = 32000;

    // controls makes the hover button for "Done"; without it a standard button is used.
    MakeListWindow(const Settings &settings, SoundPlayer &sound, QtControlLoader *controls,
                   const QString &scriptPath, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls(QtControlLoader *controls);
    void startRun();
    void tickActivity();
    void showFound(const QStringList &paths);
    void showResult(const ListRunResult &result);
    void finishRun(const QString &message);

    const Settings &settings_;
    QString scriptPath_;
    ListRunWorker worker_;
    qint16 activity_ = 0;

    QLabel *filesCount_ = nullptr;
    QLabel *directoriesCount_ = nullptr;
    QListWidget *found_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QLabel *status_ = nullptr;
    QWidget *done_ = nullptr;
    QTimer *startTrigger_ = nullptr;
    QTimer *activityTimer_ = nullptr;
};
