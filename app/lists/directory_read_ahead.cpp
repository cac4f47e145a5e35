#include "lists/directory_read_ahead.h"

#include <algorithm>
#include <chrono>

namespace {

// How often a waiting walk looks up (to notice a cancel, to report progress).
constexpr std::chrono::milliseconds kWaitSlice{20};
// How far ahead of the walk each reader may go.
constexpr size_t kAheadPerReader = 2;

} // namespace

DirectoryReadAhead::DirectoryReadAhead(DirectoryLister &lister, int readsInFlight)
    : lister_(lister),
      readsInFlight_(std::max(1, readsInFlight)),
      aheadLimit_(kAheadPerReader * size_t(readsInFlight_))
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
    {
        const std::lock_guard lock(mutex_);
        waiting_.insert(waiting_.end(), directories.cbegin(), directories.cend());
    }
    addReaderWhenUseful();
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
        workAvailable_.wait(lock, [this] { return stopping_ || workAvailable(); });
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
        if (&slot == &ahead_.front())
            slotDone_.notify_one();
    }
}

DirectoryReadAhead::Read DirectoryReadAhead::takeNext(const std::function<void()> &whileWaiting)
{
    std::unique_lock lock(mutex_);
    const auto frontDone = [this] { return !ahead_.empty() && ahead_.front().done; };
    while (!slotDone_.wait_for(lock, kWaitSlice, frontDone)) {
        lock.unlock();
        whileWaiting();
        lock.lock();
    }
    Read read = std::move(ahead_.front().read);
    ahead_.pop_front();
    lock.unlock();
    workAvailable_.notify_one();
    return read;
}
