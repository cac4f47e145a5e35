#pragma once

#include "books/book_metadata.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>

template <typename T> class QFutureWatcher;

// Reads what a book says about itself away from the calling (window) thread. Only the newest
// read counts: a result of an older one that comes late is dropped.
class BookMetadataReader : public QObject
{
    Q_OBJECT

public:
    explicit BookMetadataReader(QObject *parent = nullptr);
    ~BookMetadataReader() override;

    void read(const QString &path);
    // Loads, away from the calling thread, what the first read of a PDF would wait for.
    void prepare();

signals:
    void finished(const QString &path, const BookMetadata &metadata);

private:
    QThreadPool pool_;
    QPointer<QFutureWatcher<BookMetadata>> newest_;
};
