#pragma once

class QFile;
class QString;

// Opens the file at path read-only when it is a regular file (a symbolic link to one counts).
// A FIFO, socket, device or folder with a book's name is refused without waiting on it.
bool OpenRegularFile(const QString &path, QFile &file);
