#include "lists/list_run_worker.h"

#include "lists/entry_names.h"
#include "lists/perform_list_run.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>
#include <functional>
#include <utility>

namespace {

// Collects found files on the run's thread and sends them on in batches, so the
// window gets a few dozen updates a second rather than one per file.
class BatchingProgress final : public ListRunProgress
{
public:
    BatchingProgress(const std::atomic_bool &cancelled, int limit, std::function<void(QStringList)> send)
        : cancelled_(cancelled), remaining_(limit), send_(std::move(send))
    {
        sinceSend_.start();
    }
    ~BatchingProgress() override { flush(); }

    bool pump() override { return !cancelled_; }

    void fileFound(const QString &directory, const QString &fileName) override
    {
        if (remaining_ == 0)
            return;
        --remaining_;
        batch_ << JoinFilePath(directory, fileName);
        if (batch_.size() >= kBatchSize || sinceSend_.elapsed() >= kBatchMilliseconds)
            flush();
    }

private:
    static constexpr qsizetype kBatchSize = 500;
    static constexpr qint64 kBatchMilliseconds = 40;

    void flush()
    {
        if (!batch_.isEmpty())
            send_(std::exchange(batch_, {}));
        sinceSend_.restart();
    }

    const std::atomic_bool &cancelled_;
    int remaining_;
    std::function<void(QStringList)> send_;
    QStringList batch_;
    QElapsedTimer sinceSend_;
};

} // namespace

ListRunWorker::ListRunWorker(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<ListRunResult>();
}

ListRunWorker::~ListRunWorker()
{
    cancel();
    joinThread();
}

void ListRunWorker::start(const ListRunInputs &inputs, const QString &scriptPath)
{
    if (thread_)
        return;
    cancelled_ = false;
    thread_ = QThread::create([this, inputs, scriptPath] {
        ListRunResult result;
        {
            BatchingProgress progress(cancelled_, forwardLimit_, [this](QStringList paths) {
                QMetaObject::invokeMethod(this, [this, paths] { emit filesFound(paths); }, Qt::QueuedConnection);
            });
            result = PerformListRun(inputs, scriptPath, progress);
        }
        QMetaObject::invokeMethod(this, [this, result] { finish(result); }, Qt::QueuedConnection);
    });
    thread_->start();
}

void ListRunWorker::finish(const ListRunResult &result)
{
    joinThread();
    emit finished(result);
}

void ListRunWorker::joinThread()
{
    if (!thread_)
        return;
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
}
