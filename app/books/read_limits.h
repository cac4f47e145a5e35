#pragma once

#include <QDeadlineTimer>
#include <QtGlobal>

// How far a reader may go into a file from outside: every decompressed part (container.xml,
// package document, FB2 description, XMP packet, MOBI record 0) is read up to partCap bytes
// and no further, and the reading loops stop when the deadline has passed.
struct ReadLimits
{
    static constexpr qint64 kDefaultPartCap = 4 * 1024 * 1024;
    static constexpr int kDefaultTimeLimitMs = 2000;

    QDeadlineTimer deadline{kDefaultTimeLimitMs};
    qint64 partCap = kDefaultPartCap;
};
