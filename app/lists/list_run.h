#pragma once

#include "base/settings.h"

#include <QList>
#include <QMetaType>
#include <QString>

class DirectoryLister;
class ListWriter;

// What a run reads from the settings, once, when it starts.
struct ListRunInputs
{
    QString topDirectory;
    QString listDirectory;
    QString title;
    bool tableList = false;
    bool textList = false;
    bool treeList = false;
    // How many directories are read at the same time; on a network share each read
    // mostly waits for the answer, so several in flight make the walk many times faster.
    int readsInFlight = kDefaultReadsInFlight;

    static constexpr int kDefaultReadsInFlight = 16;
    static constexpr int kMostReadsInFlight = 256;

    // A format is written when its switch is non-zero.
    static ListRunInputs fromSettings(const Settings &settings);
};

// The caller's side of a run: pump points and the files found.
class ListRunProgress
{
public:
    virtual ~ListRunProgress() = default;
    // Called at every pump point; false cancels the run there.
    virtual bool pump() { return true; }
    // A file of the directory; PathRoutines::JoinPath gives its full path.
    virtual void fileFound(const QString &directory, const QString &fileName)
    {
        Q_UNUSED(directory);
        Q_UNUSED(fileName);
    }
    // The totals so far, after each directory.
    virtual void totalsChanged(qint32 files, qint32 directories)
    {
        Q_UNUSED(files);
        Q_UNUSED(directories);
    }
};

struct ListRunResult
{
    qint32 files = 0;
    qint32 directories = 0;
    // Directories that could not be read in full (or vanished) and were left out.
    int skippedDirectories = 0;
    bool cancelled = false;
    // Why the run failed; empty when the lists were written.
    QString error;

    bool succeeded() const { return error.isEmpty() && !cancelled; }
};

// Walks the tree under the top directory breadth first and lists every directory
// and its files through the writers, which come in the order they are called
// (table, text, tree). The next directories are read ahead on other threads (the
// lister must allow that); the lists do not depend on how many are read at once. The lists replace the earlier ones together once all of them
// are complete; a failed or cancelled run leaves every earlier list as it was.
ListRunResult MakeListRun(const ListRunInputs &inputs, DirectoryLister &lister,
                          const QList<ListWriter *> &writers, ListRunProgress &progress);

// The top directory as the walk and every writer use it: no doubled separators, and
// no trailing one except on the root.
QString NormalizedDirectory(const QString &directory);
Q_DECLARE_METATYPE(ListRunResult)
