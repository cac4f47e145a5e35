#include "books/regular_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsRegular(int fd)
{
    struct stat status{};
    return ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

bool OpenRegularFile(const QString &path, QFile &file)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status{};
    if (name.isEmpty() || ::stat(name.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    // The name may be swapped for a FIFO between the look and the open: O_NONBLOCK keeps the
    // open from waiting for a writer, and the open file itself is looked at again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (!IsRegular(fd) || ::fcntl(fd, F_SETFL, 0) != 0
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
