#pragma once

#include <QStringList>

#include <memory>

class QIODevice;
class QuaZip;

// The entries of a zip container (EPUB, zipped FB2), read from a file that is already open.
class ZipParts
{
public:
    explicit ZipParts(QIODevice &file);
    ~ZipParts();
    ZipParts(const ZipParts &) = delete;
    ZipParts &operator=(const ZipParts &) = delete;

    // False for a file whose central directory cannot be read (truncated or not a zip).
    bool isOpen() const;
    bool contains(const QString &name) const;
    QStringList names() const;
    // The entry for reading (one at a time); null when it is missing or cannot be opened.
    // The caller caps how much it reads: the sizes an entry claims are not trusted.
    std::unique_ptr<QIODevice> open(const QString &name);

private:
    std::unique_ptr<QuaZip> zip_;
};
