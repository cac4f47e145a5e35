#pragma once

#include "lists/list_file_writer.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// "EBookTree.html": one script statement per folder and per file that builds the
// collection's folder tree, then the page script read from scriptPath (its
// "basefolder" standing for the top folder), then the page body with the totals.
//
// Folders whose paths give the same identifier are told apart by a number suffix,
// so every file lands in its own folder; the top folder keeps the plain identifier.
// An identifier that the page's script could not use as a variable of its own (a
// reserved word such as "new", a built-in, a browser global, a name of the page
// script) gets such a suffix too.
class TreeListWriter : public ListFileWriter
{
public:
    explicit TreeListWriter(const QString &scriptPath, QChar separator = QLatin1Char('/'));

    // Fails before creating anything when the page script cannot be read.
    bool openList(const QString &listDirectory, const QString &title, const QString &topDirectory) override;
    void startDirectory(const QString &directory, int fileCount) override;
    void listFile(const QString &directory, const QString &fileName) override;
    void endDirectory(const QString &directory, int fileCount) override;

protected:
    void writeHead(const QString &title, const QString &topDirectory) override;
    void writeTail(qint32 files, qint32 directories, const QString &title) override;

private:
    bool readScript();
    QString shownFolderName(const QString &directory) const;
    QString declaredIdentifier(const QString &directory) const;
    QString declareFolder(const QString &directory);
    bool isFreeIdentifier(const QString &identifier) const;

    QString scriptPath_;
    QChar separator_;
    QStringList scriptLines_;
    QSet<QString> reservedNames_;
    QString topPath_;
    QString topIdentifier_;
    QHash<QString, QString> declaredIdentifiers_; // trimmed path -> identifier
    QSet<QString> usedIdentifiers_;
    QString currentDirectory_;
    QString currentIdentifier_;
};
