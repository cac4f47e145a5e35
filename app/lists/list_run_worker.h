#pragma once

#include "lists/list_run.h"

#include <QObject>
#include <QStringList>
#include <atomic>
#include <memory>

class DirectoryLister;
class QThread;

// Runs a list run on a thread of its own so the window stays live, and hands the
// files found and the totals so far back in batches on the owner's thread.
class ListRunWorker : public QObject
{
    Q_OBJECT

public:
    explicit ListRunWorker(QObject *parent = nullptr);
    // Cancels a run in progress and waits for it to stop.
    ~ListRunWorker() override;

    // At most this many found files are handed back; the rest are only counted.
    void setForwardLimit(int limit) { forwardLimit_ = limit; }
    // Runs over the tree that lister reads; the worker keeps the lister until the run ends.
    void start(const ListRunInputs &inputs, const QString &scriptPath, std::unique_ptr<DirectoryLister> lister);
    void cancel() { cancelled_ = true; }

signals:
    // New files found since the last report, and the totals so far.
    void progressed(const QStringList &paths, qint32 files, qint32 directories);
    void finished(const ListRunResult &result);

private:
    void joinThread();
    void finish(const ListRunResult &result);

    std::unique_ptr<QThread> thread_;
    std::unique_ptr<DirectoryLister> lister_;
    std::atomic_bool cancelled_ = false;
    int forwardLimit_ = 32000;
};
