#pragma once

#include "lists/list_writer.h"

#include <QByteArray>
#include <QStringEncoder>
#include <memory>

class QSaveFile;

// What every list format shares: the list file is built aside and put in place of the
// old one only by a successful closeList, so abandon() or any failure leaves an earlier
// list as it was. Lines are written as UTF-8, each ended by CR LF. A format only says
// which lines it writes.
class ListFileWriter : public ListWriter
{
public:
    ~ListFileWriter() override;

    bool openList(const QString &listDirectory, const QString &title, const QString &topDirectory) override;
    bool closeList(qint32 files, qint32 directories, const QString &title) override;
    void abandon() override;
    QString errorString() const override;

protected:
    enum class Encoding { Utf8, Utf8WithByteOrderMark };

    ListFileWriter(const QString &fileName, Encoding encoding);

    virtual void writeHead(const QString &title, const QString &topDirectory) = 0;
    virtual void writeTail(qint32 files, qint32 directories, const QString &title) = 0;

    void writeLine(const QString &line);
    // The first line of both pages.
    void writeHtmlDoctype();
    // The two total lines that close both pages.
    void writeHtmlTotals(qint32 files, qint32 directories);
    // For a format that fails before its file is created.
    void setErrorString(const QString &error);

private:
    QString m_fileName;
    Encoding m_encoding;
    QString m_path;
    QString lastWriteError() const;
    void writeBuffer();

    static constexpr qsizetype kBufferSize = 256 * 1024;
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    QByteArray m_buffer;

    std::unique_ptr<QSaveFile> m_file;
    QString m_writeError;
    QString m_error;
};
