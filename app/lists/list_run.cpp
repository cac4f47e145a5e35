#include "lists/list_run.h"

#include "lists/entry_names.h"
#include "lists/list_writer.h"
#include "platform/directory_lister.h"

#include <QSet>
#include <deque>

ListRunInputs ListRunInputs::fromSettings(const Settings &settings)
{
    ListRunInputs inputs;
    inputs.topDirectory = settings.ConfigEbookDir;
    inputs.listDirectory = settings.ConfigListDir;
    inputs.title = settings.ConfigListTitle;
    inputs.tableList = settings.configTableList != 0;
    inputs.textList = settings.ConfigTextList != 0;
    inputs.treeList = settings.ConfigTreeViewList != 0;
    return inputs;
}

QString ListerPathOf(const QString &directory)
{
    QString path = directory;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

namespace {

class Cancelled
{
};

// One run's state; the walk keeps only directory paths, files are read per directory.
class ListRun
{
public:
    ListRun(const ListRunInputs &inputs, DirectoryLister &lister, const QList<ListWriter *> &writers,
            ListRunProgress &progress)
        : inputs_(inputs), lister_(lister), writers_(writers), progress_(progress)
    {
    }

    ListRunResult perform()
    {
        if (inputs_.topDirectory.isEmpty())
            return failed(QStringLiteral("No e-book directory is set in the settings."));
        const QString top = ListerPathOf(inputs_.topDirectory);
        std::optional<QStringList> topSubdirectories = lister_.listSubdirectories(top);
        if (!topSubdirectories)
            return failed(QStringLiteral("The e-book directory \"%1\" cannot be read.").arg(top));
        if (!openWriters())
            return result_;
        try {
            walk(top, *topSubdirectories);
            listVisitedDirectories();
        } catch (const Cancelled &) {
            abandonWriters(0);
            result_.cancelled = true;
            return result_;
        }
        closeWriters();
        return result_;
    }

private:
    ListRunResult failed(const QString &error)
    {
        result_.error = error;
        return result_;
    }

    void pump()
    {
        if (!progress_.pump())
            throw Cancelled();
    }

    bool openWriters()
    {
        for (qsizetype i = 0; i < writers_.size(); ++i) {
            if (!writers_[i]->openList(inputs_.listDirectory, inputs_.title, inputs_.topDirectory)) {
                result_.error = writers_[i]->errorString();
                abandonWriters(0);
                return false;
            }
        }
        return true;
    }

    void abandonWriters(qsizetype from)
    {
        for (qsizetype i = from; i < writers_.size(); ++i)
            writers_[i]->abandon();
    }

    void closeWriters()
    {
        for (qsizetype i = 0; i < writers_.size(); ++i) {
            if (!writers_[i]->closeList(result_.files, result_.directories, inputs_.title)) {
                result_.error = writers_[i]->errorString();
                abandonWriters(i + 1);
                return;
            }
        }
    }

    // Queues the subdirectories not seen before (a link can lead back into the tree).
    void queueSubdirectories(const QStringList &subdirectories)
    {
        pump();
        for (const QString &subdirectory : subdirectories) {
            pump();
            if (firstVisit(subdirectory)) {
                queue_.push_back(subdirectory);
                ++result_.directories;
            }
        }
    }

    bool firstVisit(const QString &directory)
    {
        const QString identity = lister_.directoryIdentity(directory);
        if (seen_.contains(identity))
            return false;
        seen_.insert(identity);
        return true;
    }

    void walk(const QString &top, const QStringList &topSubdirectories)
    {
        firstVisit(top);
        visits_.push_back(top);
        pump();
        queueSubdirectories(topSubdirectories);
        while (!queue_.empty()) {
            const QString current = queue_.front();
            queue_.pop_front();
            std::optional<QStringList> subdirectories = lister_.listSubdirectories(current);
            if (!subdirectories) {
                ++result_.skippedDirectories;
                continue;
            }
            visits_.push_back(current);
            queueSubdirectories(*subdirectories);
        }
    }

    void listVisitedDirectories()
    {
        while (!visits_.empty()) {
            const QString directory = visits_.front();
            visits_.pop_front();
            listDirectory(directory);
        }
    }

    void listDirectory(const QString &directory)
    {
        std::optional<QStringList> files = lister_.listFiles(directory);
        pump();
        if (!files) {
            ++result_.skippedDirectories;
            return;
        }
        const int count = int(files->size());
        for (ListWriter *writer : writers_)
            writer->startDirectory(directory, count);
        for (const QString &file : *files) {
            pump();
            progress_.fileFound(JoinFilePath(directory, file));
            for (ListWriter *writer : writers_)
                writer->listFile(directory, file);
        }
        result_.files += count;
        pump();
        for (ListWriter *writer : writers_)
            writer->endDirectory(directory, count);
    }

    const ListRunInputs &inputs_;
    DirectoryLister &lister_;
    const QList<ListWriter *> &writers_;
    ListRunProgress &progress_;
    ListRunResult result_;
    std::deque<QString> queue_;
    std::deque<QString> visits_;
    QSet<QString> seen_;
};

} // namespace

ListRunResult MakeListRun(const ListRunInputs &inputs, DirectoryLister &lister,
                          const QList<ListWriter *> &writers, ListRunProgress &progress)
{
    return ListRun(inputs, lister, writers, progress).perform();
}
