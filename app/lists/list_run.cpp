#include "lists/list_run.h"

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
        std::optional<DirectoryEntries> topEntries = lister_.readDirectory(top);
        if (!topEntries)
            return failed(QStringLiteral("The e-book directory \"%1\" cannot be read.").arg(top));
        if (!openWriters())
            return result_;
        try {
            walk(top, *topEntries);
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

    // Breadth first: the directories are listed in the order they are found, level by
    // level, each read once. Only directory paths wait in the queue.
    void walk(const QString &top, const DirectoryEntries &topEntries)
    {
        seen_.insert(topEntries.identity);
        visit(top, topEntries);
        while (!queue_.empty()) {
            const QString directory = queue_.front();
            queue_.pop_front();
            pump();
            std::optional<DirectoryEntries> entries = lister_.readDirectory(directory);
            if (!entries) {
                ++result_.skippedDirectories;
                continue;
            }
            if (seen_.contains(entries->identity)) {
                --result_.directories; // a link back into the tree: walked once already
                continue;
            }
            seen_.insert(entries->identity);
            visit(directory, *entries);
        }
    }

    void visit(const QString &directory, const DirectoryEntries &entries)
    {
        listFiles(directory, entries.files);
        for (const QString &subdirectory : entries.subdirectories)
            queue_.push_back(subdirectory);
        result_.directories += qint32(entries.subdirectories.size());
    }

    void listFiles(const QString &directory, const QStringList &files)
    {
        const int count = int(files.size());
        for (ListWriter *writer : writers_)
            writer->startDirectory(directory, count);
        for (const QString &file : files) {
            pump();
            progress_.fileFound(directory, file);
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
    QSet<QString> seen_;
};

} // namespace

ListRunResult MakeListRun(const ListRunInputs &inputs, DirectoryLister &lister,
                          const QList<ListWriter *> &writers, ListRunProgress &progress)
{
    return ListRun(inputs, lister, writers, progress).perform();
}
