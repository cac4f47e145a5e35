#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
class QSaveFile;

// QSaveFile puts its file in place on commit even after a write that was cut short (a full
// disk reports no error of its own), so a shortened file could replace a good one. These two
// keep count of what was written and commit only a complete file.

// True when every byte was written.
bool WriteAll(QIODevice &file, const QByteArray &bytes);

// Commits the file when everything was written and flushes in full; otherwise drops it, so
// the old file stays. False with the reason in *reason (when given).
bool CommitComplete(QSaveFile &file, bool allWritten, QString *reason);
