#include "base/complete_write.h"

#include <QSaveFile>

bool WriteAll(QIODevice &file, const QByteArray &bytes)
{
    return file.write(bytes) == bytes.size();
}

bool CommitComplete(QSaveFile &file, bool allWritten, QString *reason)
{
    QString why;
    if (!allWritten || !file.flush()) {
        why = QStringLiteral("the file could not be written completely (is the disk full?)");
        file.cancelWriting();
    } else if (!file.commit()) {
        why = file.errorString();
    }
    if (why.isEmpty())
        return true;
    if (reason)
        *reason = why;
    return false;
}
