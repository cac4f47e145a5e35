#pragma once

#include "books/book_metadata.h"

#include <QWidget>

class BookMetadataReader;
class QLabel;
class QPushButton;

// The line under the File Info fields: "In the book: <author> - <title>", read from the
// analysed file in the background, and "Use Book's Data", which hands those values on.
class BookDataLine : public QWidget
{
    Q_OBJECT

public:
    explicit BookDataLine(QWidget *parent = nullptr);

    // Empties the line and reads the book at path; the line fills when the read ends.
    void readBook(const QString &path);

signals:
    void useRequested(const QString &author, const QString &title);

private:
    void show(const BookMetadata &metadata);

    BookMetadataReader *reader_ = nullptr;
    QLabel *text_ = nullptr;
    QPushButton *use_ = nullptr;
    BookMetadata shown_;
};
