#pragma once

// Shared by the list writer tests: a collection described as its visited directories,
// a run of one writer over it, and the lines of a written list.

#include "lists/list_writer.h"
#include "lists/table_list_writer.h"
#include "lists/text_list_writer.h"
#include "lists/tree_list_writer.h"

#include <QFile>
#include <QList>
#include <QMetaType>
#include <QStringList>

#include <memory>

struct ListedDirectory
{
    QString path;
    QStringList files;
};
using ListedTree = QList<ListedDirectory>;
Q_DECLARE_METATYPE(ListedTree)

inline const QString kTextList = QStringLiteral("EBook.txt");
inline const QString kTableList = QStringLiteral("EBook.html");
inline const QString kTreeList = QStringLiteral("EBookTree.html");

// The writer of the list with the given file name.
inline std::unique_ptr<ListWriter> MakeWriter(const QString &listName, const QString &scriptPath,
                                              QChar separator = QLatin1Char('/'))
{
    if (listName == kTextList)
        return std::make_unique<TextListWriter>();
    if (listName == kTableList)
        return std::make_unique<TableListWriter>();
    return std::make_unique<TreeListWriter>(scriptPath, separator);
}

// Drives the writer as the list run does, up to putting the list in place; the top
// directory is the first one listed.
inline bool WriteList(ListWriter &writer, const QString &listDirectory, const QString &title,
                      const QString &topDirectory, const ListedTree &tree)
{
    if (!writer.openList(listDirectory, title, topDirectory))
        return false;
    qint32 files = 0;
    for (const ListedDirectory &directory : tree) {
        const int count = int(directory.files.size());
        writer.startDirectory(directory.path, count);
        for (const QString &file : directory.files)
            writer.listFile(directory.path, file);
        writer.endDirectory(directory.path, count);
        files += count;
    }
    if (!writer.closeList(files, qint32(tree.size()) - 1, title) || !writer.replaceOldList())
        return false;
    writer.dropOldList();
    return true;
}

// The pages start with a UTF-8 byte-order mark, the text list does not.
inline bool StartsWithByteOrderMark(const QString &listName)
{
    return listName != kTextList;
}

// The lines of a written list. A list that is not valid UTF-8 made of lines each ended
// by CR LF gives one line saying what is wrong, so a comparison shows it.
inline QStringList ListLines(const QString &path, bool byteOrderMark)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<cannot read %1>").arg(path)};
    QByteArray bytes = file.readAll();
    const QByteArray mark("\xEF\xBB\xBF");
    if (bytes.startsWith(mark) != byteOrderMark)
        return {QStringLiteral("<byte-order mark wrongly present or missing>")};
    if (byteOrderMark)
        bytes.remove(0, mark.size());
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<last line not ended by CR LF>")};
    const QString text = QString::fromUtf8(bytes.chopped(2));
    if (text.toUtf8() != bytes.chopped(2))
        return {QStringLiteral("<not valid UTF-8>")};
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            return {QStringLiteral("<line break inside a line: %1>").arg(line)};
    }
    return lines;
}

inline bool WriteFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

inline QByteArray FileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
