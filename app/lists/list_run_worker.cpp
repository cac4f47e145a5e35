#include "lists/list_run_worker.h"

#include "base/path_routines.h"
#include "lists/perform_list_run.h"
#include "platform/directory_lister.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>
#include <functional>
#include <utility>

namespace {

// Collects found files and totals on the run's thread and sends them on in batches, so
// the window gets a few dozen updates a second rather than one per file.
class BatchingProgress final : public ListRunProgress
{
public:
    using Send = std::function<void(QStringList, qint32, qint32)>;

    BatchingProgress(const std::atomic_bool &cancelled, int limit, Send send)
        : cancelled_(cancelled), remaining_(limit), send_(std::move(send))
    {
        sinceSend_.start();
    }
    ~BatchingProgress() override { flush(); }

    bool pump() override
    {
        // The run also pumps while it waits for a slow share: what it found before
        // reaches the window meanwhile.
        if (unsent_)
            sendWhenDue();
        return !cancelled_;
    }

    void fileFound(const QString &directory, const QString &fileName) override
    {
        if (remaining_ == 0)
            return;
        --remaining_;
        batch_ << PathRoutines::JoinPath(directory, fileName);
        unsent_ = true;
        sendWhenDue();
    }

    void totalsChanged(qint32 files, qint32 directories) override
    {
        files_ = files;
        directories_ = directories;
        unsent_ = true;
        sendWhenDue();
    }

private:
    static constexpr qsizetype kBatchSize = 500;
    static constexpr qint64 kBatchMilliseconds = 40;

    void sendWhenDue()
    {
        if (batch_.size() >= kBatchSize || sinceSend_.elapsed() >= kBatchMilliseconds)
            flush();
    }

    void flush()
    {
        send_(std::exchange(batch_, {}), files_, directories_);
        unsent_ = false;
        sinceSend_.restart();
    }

    const std::atomic_bool &cancelled_;
    int remaining_;
    Send send_;
    QStringList batch_;
    qint32 files_ = 0;
    qint32 directories_ = 0;
    bool unsent_ = false;
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

void ListRunWorker::start(const ListRunInputs &inputs, const QString &scriptPath,
                          std::unique_ptr<DirectoryLister> lister)
{
    if (thread_)
        return;
    cancelled_ = false;
    lister_ = std::move(lister);
    thread_.reset(QThread::create([this, inputs, scriptPath] {
        ListRunResult result;
        {
            BatchingProgress progress(cancelled_, forwardLimit_,
                                      [this](QStringList paths, qint32 files, qint32 directories) {
                                          QMetaObject::invokeMethod(
                                              this, [=, this] { emit progressed(paths, files, directories); },
                                              Qt::QueuedConnection);
                                      });
            result = PerformListRun(inputs, scriptPath, *lister_, progress);
        }
        QMetaObject::invokeMethod(this, [this, result] { finish(result); }, Qt::QueuedConnection);
    }));
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
    thread_.reset();
    lister_.reset();
}
