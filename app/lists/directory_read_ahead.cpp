#include "lists/directory_read_ahead.h"

#include <algorithm>
#include <chrono>

namespace {

// How often a waiting walk looks up (to notice a cancel, to report progress).
constexpr std::chrono::milliseconds kWaitSlice{20};
// How far ahead of the walk the readers may go: a few directories per reader, and
// enough that on a local disk they fill the room in bursts rather than waking for
// every directory the walk takes (each wake-up is a system call on both sides).
constexpr size_t kAheadPerReader = 2;
constexpr size_t kLeastAhead = 32;

} // namespace

DirectoryReadAhead::DirectoryReadAhead(DirectoryLister &lister, int readsInFlight)
    : lister_(lister),
      readsInFlight_(std::max(1, readsInFlight)),
      aheadLimit_(std::max(kLeastAhead, kAheadPerReader * size_t(readsInFlight_)))
{
}

DirectoryReadAhead::~DirectoryReadAhead()
{
    bool reading = false;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        reading = std::any_of(ahead_.cbegin(), ahead_.cend(), [](const Slot &slot) { return !slot.done; });
    }
    workAvailable_.notify_all();
    // Only an abandoned walk leaves reads in progress; a slow share should not hold it up.
    if (reading)
        lister_.interrupt();
    for (std::thread &reader : readers_)
        reader.join();
}

void DirectoryReadAhead::enqueue(const QList<DirectoryPath> &directories)
{
    if (directories.isEmpty())
        return;
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        waiting_.insert(waiting_.end(), directories.cbegin(), directories.cend());
        wake = idleReaders_ > 0 && workAvailable();
    }
    addReaderWhenUseful();
    if (wake)
        workAvailable_.notify_all();
}

bool DirectoryReadAhead::empty() const
{
    const std::lock_guard lock(mutex_);
    return waiting_.empty() && ahead_.empty();
}

// Readers start as the queue grows, so a small tree never starts many threads.
void DirectoryReadAhead::addReaderWhenUseful()
{
    size_t queued = 0;
    {
        const std::lock_guard lock(mutex_);
        queued = waiting_.size() + ahead_.size();
    }
    while (readers_.size() < std::min(queued, size_t(readsInFlight_)))
        readers_.emplace_back([this] { readUntilStopped(); });
}

bool DirectoryReadAhead::workAvailable() const
{
    return !waiting_.empty() && ahead_.size() < aheadLimit_;
}

void DirectoryReadAhead::readUntilStopped()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (!stopping_ && !workAvailable()) {
            ++idleReaders_;
            workAvailable_.wait(lock, [this] { return stopping_ || workAvailable(); });
            --idleReaders_;
        }
        if (stopping_)
            return;
        // A deque keeps its elements in place when others come and go at its ends, and
        // the walk takes this slot only once it is done.
        Slot &slot = ahead_.emplace_back(Slot{{std::move(waiting_.front()), std::nullopt}});
        waiting_.pop_front();
        lock.unlock();
        std::optional<DirectoryEntries> entries = lister_.readDirectory(slot.read.directory);
        lock.lock();
        slot.read.entries = std::move(entries);
        slot.done = true;
        if (walkWaiting_ && &slot == &ahead_.front())
            slotDone_.notify_one();
    }
}

DirectoryReadAhead::Read DirectoryReadAhead::takeNext(const std::function<void()> &whileWaiting)
{
    std::unique_lock lock(mutex_);
    const auto frontDone = [this] { return !ahead_.empty() && ahead_.front().done; };
    while (!frontDone()) {
        walkWaiting_ = true;
        const bool done = slotDone_.wait_for(lock, kWaitSlice, frontDone);
        walkWaiting_ = false;
        if (done)
            break;
        lock.unlock();
        whileWaiting();
        lock.lock();
    }
    Read read = std::move(ahead_.front().read);
    ahead_.pop_front();
    // Readers held back by a full room go on once half of it is free again.
    const bool wake = idleReaders_ > 0 && workAvailable() && ahead_.size() <= aheadLimit_ / 2;
    lock.unlock();
    if (wake)
        workAvailable_.notify_all();
    return read;
}
