#pragma once

#include "lists/list_run.h"

#include <QObject>
#include <QStringList>
#include <atomic>

class QThread;

// Runs a list run on a thread of its own so the window stays live, and hands the
// files found back in batches on the owner's thread.
class ListRunWorker : public QObject
{
    Q_OBJECT

public:
    explicit ListRunWorker(QObject *parent = nullptr);
    // Cancels a run in progress and waits for it to stop.
    ~ListRunWorker() override;

    // At most this many found files are handed back; the rest are only counted.
    void setForwardLimit(int limit) { forwardLimit_ = limit; }
    void start(const ListRunInputs &inputs, const QString &scriptPath);
    void cancel() { cancelled_ = true; }

signals:
    void filesFound(const QStringList &paths);
    void finished(const ListRunResult &result);

private:
    void joinThread();
    void finish(const ListRunResult &result);

    QThread *thread_ = nullptr;
    std::atomic_bool cancelled_ = false;
    int forwardLimit_ = 32000;
};
