#include "books/zip_parts.h"

#include <quazip.h>
#include <quazipfile.h>

ZipParts::ZipParts(QIODevice &file)
    : zip_(std::make_unique<QuaZip>(&file))
{
    zip_->setAutoClose(false);
    zip_->open(QuaZip::mdUnzip);
}

ZipParts::~ZipParts() = default; // QuaZip closes itself

bool ZipParts::isOpen() const
{
    return zip_->isOpen();
}

bool ZipParts::contains(const QString &name) const
{
    return isOpen() && zip_->setCurrentFile(name, QuaZip::csSensitive);
}

QStringList ZipParts::names() const
{
    return isOpen() ? zip_->getFileNameList() : QStringList();
}

std::unique_ptr<QIODevice> ZipParts::open(const QString &name)
{
    if (!contains(name))
        return nullptr;
    auto entry = std::make_unique<QuaZipFile>(zip_.get());
    if (!entry->open(QIODevice::ReadOnly))
        return nullptr;
    return entry;
}
