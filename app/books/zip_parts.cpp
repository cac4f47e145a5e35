#include "books/zip_parts.h"

#include <quazip.h>
#include <quazipfile.h>

ZipParts::ZipParts(QIODevice &file)
    : m_zip(std::make_unique<QuaZip>(&file))
{
    m_zip->setAutoClose(false);
    m_zip->open(QuaZip::mdUnzip);
}

ZipParts::~ZipParts() = default; // QuaZip closes itself

bool ZipParts::isOpen() const
{
    return m_zip->isOpen();
}

bool ZipParts::contains(const QString &name) const
{
    return isOpen() && m_zip->setCurrentFile(name, QuaZip::csSensitive);
}

QStringList ZipParts::names() const
{
    return isOpen() ? m_zip->getFileNameList() : QStringList();
}

std::unique_ptr<QIODevice> ZipParts::open(const QString &name)
{
    if (!contains(name))
        return nullptr;
    auto entry = std::make_unique<QuaZipFile>(m_zip.get());
    if (!entry->open(QIODevice::ReadOnly))
        return nullptr;
    return entry;
}
