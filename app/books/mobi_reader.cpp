#include "books/mobi_reader.h"

#include <QIODevice>
#include <QStringDecoder>

#include <optional>

namespace {

constexpr qint64 kPalmHeaderSize = 78;
constexpr qint64 kPalmNameSize = 32;
constexpr qint64 kPalmTypeOffset = 60;
constexpr qint64 kRecordCountOffset = 76;
constexpr qint64 kRecordEntrySize = 8;
// Inside record 0: the 16-byte PalmDOC header, then the MOBI header.
constexpr qint64 kMobiHeaderOffset = 16;
constexpr qint64 kMobiHeaderLengthOffset = 20;
constexpr qint64 kTextEncodingOffset = 28;
constexpr qint64 kFullNameOffsetOffset = 84;
constexpr qint64 kFullNameLengthOffset = 88;
constexpr qint64 kExthFlagsOffset = 128;
constexpr quint32 kHasExth = 0x40;
constexpr quint32 kExthAuthor = 100;
constexpr quint32 kExthTitle = 503;
constexpr quint32 kUtf8Encoding = 65001;

// The bytes of a part of the file, every read checked against its end.
class Bytes
{
public:
    explicit Bytes(QByteArray data)
        : data_(std::move(data))
    {
    }

    qint64 size() const { return data_.size(); }
    bool holds(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= size() && length <= size() - offset;
    }
    QByteArray mid(qint64 offset, qint64 length) const
    {
        return holds(offset, length) ? data_.mid(offset, length) : QByteArray();
    }
    std::optional<quint32> u32(qint64 offset) const
    {
        if (!holds(offset, 4))
            return std::nullopt;
        const auto *p = reinterpret_cast<const uchar *>(data_.constData() + offset);
        return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
    }
    std::optional<quint32> u16(qint64 offset) const
    {
        if (!holds(offset, 2))
            return std::nullopt;
        const auto *p = reinterpret_cast<const uchar *>(data_.constData() + offset);
        return quint32(p[0]) << 8 | quint32(p[1]);
    }

private:
    QByteArray data_;
};

QByteArray ReadAt(QIODevice &file, qint64 offset, qint64 length)
{
    if (offset < 0 || length <= 0 || !file.seek(offset))
        return {};
    return file.read(length);
}

QString Decode(const QByteArray &bytes, quint32 encoding)
{
    if (encoding == kUtf8Encoding)
        return QString::fromUtf8(bytes);
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252.decode(bytes)) : QString::fromLatin1(bytes);
}

QString PalmName(const Bytes &header)
{
    QByteArray name = header.mid(0, kPalmNameSize);
    const qsizetype end = name.indexOf('\0');
    if (end >= 0)
        name.truncate(end);
    return Decode(name, 0);
}

// Record 0, capped: it runs to the start of record 1 (or the end of the file).
Bytes RecordZero(QIODevice &file, const Bytes &header, const ReadLimits &limits)
{
    const std::optional<quint32> count = header.u16(kRecordCountOffset);
    if (!count || *count == 0)
        return Bytes({});
    const Bytes entries(ReadAt(file, kPalmHeaderSize, 2 * kRecordEntrySize));
    const std::optional<quint32> start = entries.u32(0);
    if (!start)
        return Bytes({});
    const std::optional<quint32> next = *count > 1 ? entries.u32(kRecordEntrySize) : std::nullopt;
    const qint64 end = next && *next > *start ? qint64(*next) : file.size();
    return Bytes(ReadAt(file, *start, qMin(end - qint64(*start), limits.partCap)));
}

struct ExthValues
{
    QStringList authors;
    QString title;
};

ExthValues ReadExth(const Bytes &record, quint32 encoding, const ReadLimits &limits)
{
    ExthValues values;
    const std::optional<quint32> flags = record.u32(kExthFlagsOffset);
    const std::optional<quint32> headerLength = record.u32(kMobiHeaderLengthOffset);
    if (!flags || !(*flags & kHasExth) || !headerLength)
        return values;
    const qint64 exth = kMobiHeaderOffset + qint64(*headerLength);
    const std::optional<quint32> count = record.u32(exth + 8);
    if (record.mid(exth, 4) != "EXTH" || !count)
        return values;
    qint64 position = exth + 12;
    for (quint32 i = 0; i < *count && !limits.deadline.hasExpired(); ++i) {
        const std::optional<quint32> type = record.u32(position);
        const std::optional<quint32> length = record.u32(position + 4);
        if (!type || !length || *length < 8 || !record.holds(position, *length))
            break;
        const QString value = Decode(record.mid(position + 8, *length - 8), encoding);
        if (*type == kExthAuthor)
            values.authors.append(value);
        else if (*type == kExthTitle)
            values.title = value;
        position += *length;
    }
    return values;
}

QString FullName(const Bytes &record, quint32 encoding)
{
    const std::optional<quint32> offset = record.u32(kFullNameOffsetOffset);
    const std::optional<quint32> length = record.u32(kFullNameLengthOffset);
    if (!offset || !length)
        return {};
    return Decode(record.mid(*offset, *length), encoding);
}

} // namespace

bool IsPalmDatabase(const QByteArray &head)
{
    const QByteArray kind = head.mid(kPalmTypeOffset, 8);
    return kind == "BOOKMOBI" || kind == "TEXtREAd";
}

BookMetadata ReadMobi(QIODevice &file, const ReadLimits &limits)
{
    const Bytes header(ReadAt(file, 0, kPalmHeaderSize));
    if (header.size() < kPalmHeaderSize)
        return {};
    const QString palmName = CleanMetadataText(PalmName(header));
    const Bytes record = RecordZero(file, header, limits);
    if (record.mid(kMobiHeaderOffset, 4) != "MOBI")
        return {{}, palmName};
    const quint32 encoding = record.u32(kTextEncodingOffset).value_or(0);
    const ExthValues exth = ReadExth(record, encoding, limits);
    QString title = CleanMetadataText(exth.title);
    if (title.isEmpty())
        title = CleanMetadataText(FullName(record, encoding));
    return {CleanAuthors(exth.authors), title.isEmpty() ? palmName : title};
}
