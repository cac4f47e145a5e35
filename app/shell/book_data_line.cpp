#include "shell/book_data_line.h"

#include "books/book_metadata_reader.h"
#include "shell/accessible_names.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

const QString kPrefix = QStringLiteral("In the book: ");

QString LineText(const BookMetadata &metadata)
{
    if (metadata.isEmpty())
        return kPrefix.trimmed();
    return kPrefix + metadata.authorText() + QLatin1String(" - ") + metadata.title;
}

} // namespace

BookDataLine::BookDataLine(QWidget *parent)
    : QWidget(parent)
    , reader_(new BookMetadataReader(this))
    , text_(new QLabel(this))
    , use_(new QPushButton(QStringLiteral("Use Book's Data"), this))
{
    text_->setObjectName(QStringLiteral("BookData"));
    text_->setTextFormat(Qt::PlainText);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString textTip = QStringLiteral("Author and title that the book file itself names");
    text_->setToolTip(textTip);
    text_->setAccessibleDescription(textTip);
    use_->setObjectName(QStringLiteral("UseBookData"));
    NameControl(use_, use_->text(), QStringLiteral("Puts the book's own author and title into Author and Title"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_, 1);
    layout->addWidget(use_);
    show({});
    connect(use_, &QPushButton::clicked, this, [this] { emit useRequested(shown_.authorText(), shown_.title); });
    // Once the window is up, so that the start does not wait for it either.
    QTimer::singleShot(0, reader_, &BookMetadataReader::prepare);
    connect(reader_, &BookMetadataReader::finished, this,
            [this](const QString &, const BookMetadata &metadata) { show(metadata); });
}

void BookDataLine::readBook(const QString &path)
{
    show({});
    reader_->read(path);
}

void BookDataLine::show(const BookMetadata &metadata)
{
    shown_ = metadata;
    text_->setText(LineText(metadata));
    text_->setAccessibleName(text_->text());
    use_->setEnabled(!metadata.isEmpty());
}
