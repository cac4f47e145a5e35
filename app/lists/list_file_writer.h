#pragma once

#include "lists/list_writer.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>
#include <initializer_list>
#include <memory>

class QFile;

// What every list format shares: the new list is written to a hidden file beside the
// old one and renamed into place only when the run replaces all lists together, so a
// failure leaves every earlier list as it was. Lines are written as UTF-8, each ended
// by CR LF. A format only says which lines it writes.
class ListFileWriter : public ListWriter
{
public:
    ~ListFileWriter() override;

    bool openList(const QString &listDirectory, const QString &title, const QString &topDirectory) override;
    bool closeList(qint32 files, qint32 directories, const QString &title) override;
    bool replaceOldList() override;
    void restoreOldList() override;
    void dropOldList() override;
    void abandon() override;
    QString errorString() const override;

protected:
    enum class Encoding { Utf8, Utf8WithByteOrderMark };

    ListFileWriter(const QString &fileName, Encoding encoding);

    virtual void writeHead(const QString &title, const QString &topDirectory) = 0;
    virtual void writeTail(qint32 files, qint32 directories, const QString &title) = 0;

    void writeLine(const QString &line) { writeLine({line}); }
    // A line made of these pieces, each encoded on its own without joining them first:
    // a character outside the basic plane must not be cut between two pieces.
    void writeLine(std::initializer_list<QStringView> pieces);
    // The first line of both pages.
    void writeHtmlDoctype();
    // The two total lines that close both pages.
    void writeHtmlTotals(qint32 files, qint32 directories);
    // For a format that fails before its file is created.
    void setErrorString(const QString &error);

private:
    QString lastWriteError() const;
    void writeBuffer();
    bool createNewFile();
    void removeNewFile();
    void releaseDraftLock();

    QString fileName_;
    Encoding encoding_;
    QString listDirectory_;
    QString path_;    // the list
    QString newPath_; // the new list while it is written and until it replaces the old
    QString oldPath_; // the old list, kept aside during a replacement
    bool replaced_ = false;
    int draftLock_ = -1; // a second descriptor of the draft, holding its lock

    static constexpr qsizetype kBufferSize = 256 * 1024;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    QByteArray buffer_; // holds used_ bytes yet to be written
    qsizetype used_ = 0;

    std::unique_ptr<QFile> file_;
    QString writeError_;
    QString error_;
};
