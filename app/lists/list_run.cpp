#include "lists/list_run.h"

#include "lists/directory_read_ahead.h"
#include "lists/list_writer.h"
#include "platform/directory_lister.h"

#include <QSet>
#include <algorithm>

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

QString NormalizedDirectory(const QString &directory)
{
    QString path;
    path.reserve(directory.size());
    for (const QChar c : directory) {
        if (c != QLatin1Char('/') || !path.endsWith(QLatin1Char('/')))
            path += c;
    }
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

namespace {

const QString kNoListFolder = QStringLiteral("No list folder is chosen: choose the List directory on the Config tab first.");

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
        if (inputs_.listDirectory.isEmpty() && !writers_.isEmpty())
            return failed(kNoListFolder);
        const DirectoryPath top(NormalizedDirectory(inputs_.topDirectory));
        std::optional<DirectoryEntries> topEntries = lister_.readDirectory(top);
        if (!topEntries)
            return failed(QStringLiteral("The e-book directory \"%1\" cannot be read.").arg(top.path));
        if (!openWriters(top.path))
            return result_;
        try {
            walk(top, *topEntries);
        } catch (const Cancelled &) {
            abandonWriters();
            result_.cancelled = true;
            return result_;
        }
        if (closeWriters())
            replaceLists();
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

    bool openWriters(const QString &top)
    {
        for (ListWriter *writer : writers_) {
            if (!writer->openList(inputs_.listDirectory, inputs_.title, top))
                return failWriters(writer);
        }
        return true;
    }

    bool failWriters(const ListWriter *failing)
    {
        result_.error = failing->errorString();
        abandonWriters();
        return false;
    }

    void abandonWriters()
    {
        for (ListWriter *writer : writers_)
            writer->abandon();
    }

    bool closeWriters()
    {
        for (ListWriter *writer : writers_) {
            if (!writer->closeList(result_.files, result_.directories, inputs_.title))
                return failWriters(writer);
        }
        return true;
    }

    // Every list is complete: all of them replace the earlier ones, or none does.
    void replaceLists()
    {
        for (qsizetype i = 0; i < writers_.size(); ++i) {
            if (!writers_[i]->replaceOldList()) {
                for (qsizetype done = i - 1; done >= 0; --done)
                    writers_[done]->restoreOldList();
                failWriters(writers_[i]);
                return;
            }
        }
        for (ListWriter *writer : writers_)
            writer->dropOldList();
    }

    // Breadth first: the directories are listed in the order they are found, level by
    // level, each read once. Only directory paths wait in the queue, and the reads
    // ahead of the walk are few.
    void walk(const DirectoryPath &top, const DirectoryEntries &topEntries)
    {
        DirectoryReadAhead ahead(lister_, std::clamp(inputs_.readsInFlight, 1, ListRunInputs::kMostReadsInFlight));
        seen_.insert(topEntries.identity);
        visit(top.path, topEntries, ahead);
        while (!ahead.empty()) {
            pump();
            const DirectoryReadAhead::Read read = ahead.takeNext([this] { pump(); });
            if (!read.entries) {
                ++result_.skippedDirectories;
                continue;
            }
            if (seen_.contains(read.entries->identity)) {
                --result_.directories; // a link back into the tree: walked once already
                continue;
            }
            seen_.insert(read.entries->identity);
            visit(read.directory.path, *read.entries, ahead);
        }
    }

    void visit(const QString &directory, const DirectoryEntries &entries, DirectoryReadAhead &ahead)
    {
        ahead.enqueue(entries.subdirectories); // read while this directory is listed
        listFiles(directory, entries.files);
        result_.directories += qint32(entries.subdirectories.size());
        progress_.totalsChanged(result_.files, result_.directories);
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
    QSet<QString> seen_;
};

} // namespace

ListRunResult MakeListRun(const ListRunInputs &inputs, DirectoryLister &lister,
                          const QList<ListWriter *> &writers, ListRunProgress &progress)
{
    return ListRun(inputs, lister, writers, progress).perform();
}
