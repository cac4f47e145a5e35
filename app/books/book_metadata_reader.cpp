#include "books/book_metadata_reader.h"

#include "books/book_reader.h"
#include "books/pdf_reader.h"

#include <QFutureWatcher>
#include <QPromise>

#include <memory>

namespace {

// Slow disks and damaged books should not hold up one another for long.
constexpr int kReadingThreads = 2;

} // namespace

BookMetadataReader::BookMetadataReader(QObject *parent)
    : QObject(parent)
{
    pool_.setMaxThreadCount(kReadingThreads);
}

// The pool waits for the reads still running; each is bounded by its time limit.
BookMetadataReader::~BookMetadataReader() = default;

void BookMetadataReader::read(const QString &path)
{
    if (newest_)
        newest_->deleteLater();
    auto promise = std::make_shared<QPromise<BookMetadata>>();
    auto *watcher = new QFutureWatcher<BookMetadata>(this);
    newest_ = watcher;
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, path] {
        if (watcher == newest_)
            emit finished(path, watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(promise->future());
    pool_.start([promise, path] {
        promise->start();
        promise->addResult(ReadBookMetadata(path));
        promise->finish();
    });
}

void BookMetadataReader::prepare()
{
    pool_.start(PreparePdfReading);
}
