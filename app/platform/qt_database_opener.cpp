#include "platform/qt_database_opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The file is SQLite whatever its name says, so these can open it; .mdb handlers cannot.
const char *const kBrowsers[] = {"sqlitebrowser", "sqlitestudio", "sqliteman"};

} // namespace

bool QtDatabaseOpener::openDatabase(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const char *name : kBrowsers) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty() && QProcess::startDetached(program, {absolute}))
            return true;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute));
}
