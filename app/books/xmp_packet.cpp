#include "books/xmp_packet.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr qint64 kScanBlockSize = 1024 * 1024;
// Writers put the document's packet near the start (with the first page of a file made for
// the web) or near the end (after the pages, or in a later update); the pictures in between
// are not searched, which keeps a big book quick.
constexpr qint64 kSearchedHead = 2 * 1024 * 1024;
constexpr qint64 kSearchedTail = 2 * 1024 * 1024;
// A book has a few packets; a file full of them is not worth reading each one.
constexpr int kMaxPacketsPerRange = 16;
constexpr char kPacketBegin[] = "<?xpacket begin";
constexpr char kPacketEnd[] = "<?xpacket end";
constexpr char kPdfNamespace[] = "http://ns.adobe.com/pdf/1.3/";

QByteArray ReadAt(QIODevice &file, qint64 offset, qint64 length)
{
    return file.seek(offset) ? file.read(length) : QByteArray();
}

// glibc's memmem is several times quicker than a generic search over megabytes.
qsizetype IndexOf(const QByteArray &block, const char *needle)
{
    const void *hit = ::memmem(block.constData(), size_t(block.size()), needle, std::strlen(needle));
    return hit ? static_cast<const char *>(hit) - block.constData() : -1;
}

struct Range
{
    qint64 start;
    qint64 end;
};

// The offset of the next packet start from offset on, up to the range's end, or -1.
qint64 NextPacketStart(QIODevice &file, qint64 offset, qint64 end, const ReadLimits &limits)
{
    const qint64 needle = qint64(sizeof kPacketBegin) - 1;
    while (offset < end && !limits.deadline.hasExpired()) {
        const QByteArray block = ReadAt(file, offset, qMin(kScanBlockSize, end - offset + needle - 1));
        const qsizetype hit = IndexOf(block, kPacketBegin);
        if (hit >= 0)
            return offset + hit;
        if (block.size() < needle)
            return -1;
        offset += block.size() - (needle - 1); // a start cut by the block's end is found next
    }
    return -1;
}

// The head and the tail of the file, or the whole of a small one.
QList<Range> SearchedRanges(qint64 size)
{
    if (size <= kSearchedHead + kSearchedTail)
        return {{0, size}};
    return {{0, kSearchedHead}, {size - kSearchedTail, size}};
}

} // namespace

QByteArray FindDocumentXmpPacket(QIODevice &file, const ReadLimits &limits)
{
    QByteArray chosen;
    for (const Range &range : SearchedRanges(file.size())) {
        qint64 start = NextPacketStart(file, range.start, range.end, limits);
        for (int packets = 0; start >= 0 && packets < kMaxPacketsPerRange; ++packets) {
            QByteArray packet = ReadAt(file, start, limits.partCap);
            const qsizetype end = packet.indexOf(kPacketEnd);
            if (end < 0)
                break; // too long or cut off: the rest of this part is not searched
            packet.truncate(end);
            if (packet.contains(kPdfNamespace))
                chosen = packet;
            start = NextPacketStart(file, start + end, range.end, limits);
        }
    }
    return chosen;
}
