#pragma once

#include "platform/directory_lister.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Reads the directories a walk will visit next on a few threads of its own, so that the
// wait for one answer (a network share takes milliseconds per call) overlaps the others.
// The walk still takes the directories one at a time, in the order it queued them, so
// what it does with them does not change. Only a few directories past the one the walk
// takes next are read ahead: memory follows the reads in flight, not the collection.
class DirectoryReadAhead
{
public:
    struct Read
    {
        DirectoryPath directory;
        std::optional<DirectoryEntries> entries; // nothing when it cannot be read in full
    };

    // readsInFlight: how many directories are read at the same time (at least 1).
    DirectoryReadAhead(DirectoryLister &lister, int readsInFlight);
    // Stops reading; reads still in progress are interrupted and waited for.
    ~DirectoryReadAhead();

    DirectoryReadAhead(const DirectoryReadAhead &) = delete;
    DirectoryReadAhead &operator=(const DirectoryReadAhead &) = delete;

    void enqueue(const QList<DirectoryPath> &directories);
    bool empty() const;

    // The first queued directory, once read. While it waits it calls whileWaiting every
    // few milliseconds, which may throw to give up.
    Read takeNext(const std::function<void()> &whileWaiting);

private:
    struct Slot
    {
        Read read;
        bool done = false;
    };

    void readUntilStopped();
    bool workAvailable() const;
    void addReaderWhenUseful();

    DirectoryLister &lister_;
    const int readsInFlight_;
    const size_t aheadLimit_; // directories read or being read that the walk has not taken

    mutable std::mutex mutex_;
    std::condition_variable workAvailable_;
    std::condition_variable slotDone_;
    std::deque<DirectoryPath> waiting_; // queued, not yet handed to a reader
    std::deque<Slot> ahead_;            // handed to a reader, in walk order
    bool stopping_ = false;
    int idleReaders_ = 0;      // readers waiting for work: only they need waking
    bool walkWaiting_ = false; // the walk waits for the first slot
    std::vector<std::thread> readers_;
};
