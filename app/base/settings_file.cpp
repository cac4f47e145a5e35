#include "base/settings_file.h"

#include "base/complete_write.h"
#include "base/text_lines.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Seven lines of paths, a title and switches fit many times over; anything larger is
// not a settings file, and reading it all could take the program's memory.
constexpr qsizetype kMaxSettingsBytes = 64 * 1024;

// A line as a message may quote it: cut to 40 characters (an ellipsis marks the cut),
// in double quotes, with control characters written as escapes so that the line can
// neither break nor garble the message.
QString QuotedLine(const QString &line)
{
    constexpr qsizetype kShown = 40;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : line.left(kShown)) {
        const char16_t code = c.unicode();
        if (code == u'\t')
            quoted += QLatin1String("\\t");
        else if (code < 0x20 || code == 0x7F)
            quoted += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else if ((code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029)
            quoted += QStringLiteral("\\u%1").arg(int(code), 4, 16, QLatin1Char('0'));
        else
            quoted += c;
    }
    if (line.size() > kShown)
        quoted += QChar(0x2026);
    return quoted + QLatin1Char('"');
}

bool HoldsControlCharacter(const QString &line)
{
    return std::any_of(line.cbegin(), line.cend(), [](QChar c) {
        const char16_t code = c.unicode();
        return (code < 0x20 && code != u'\t') || code == 0x7F || (code >= 0x80 && code <= 0x9F);
    });
}

QString UnreadableMessage(const QString &path, int error)
{
    return QStringLiteral("The settings file \"%1\" cannot be read: %2. The program starts from the initial settings.")
        .arg(path, qt_error_string(error));
}

QString DamagedMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("The settings file \"%1\" is damaged: %2. The program starts from the initial settings.")
        .arg(path, reason);
}

// The file's bytes; nothing (with *problem set unless the file is simply missing) when it
// is not a regular file of reasonable size that can be read. A FIFO or a device is never
// opened for a blocking read.
std::optional<QByteArray> ReadSettingsBytes(const QString &path, QString *problem)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        if (errno != ENOENT)
            *problem = UnreadableMessage(path, errno);
        return std::nullopt;
    }
    QByteArray bytes;
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        *problem = DamagedMessage(path, QStringLiteral("it is not a regular file"));
    } else if (info.st_size > kMaxSettingsBytes) {
        *problem = DamagedMessage(path, QStringLiteral("it is larger than 64 KiB"));
    } else {
        bytes.resize(kMaxSettingsBytes + 1);
        qsizetype total = 0;
        for (ssize_t got = 1; got > 0 && total < bytes.size(); total += got) {
            got = ::read(descriptor, bytes.data() + total, size_t(bytes.size() - total));
            if (got < 0) {
                *problem = UnreadableMessage(path, errno);
                break;
            }
        }
        bytes.truncate(total);
        if (total > kMaxSettingsBytes) // it grew since
            *problem = DamagedMessage(path, QStringLiteral("it is larger than 64 KiB"));
    }
    ::close(descriptor);
    if (!problem->isEmpty())
        return std::nullopt;
    return bytes;
}

// The lines of the file, or nothing with *problem set when a line shows that this is
// not a settings file: bytes that are not UTF-8, or control characters.
std::optional<QStringList> SettingsLines(const QString &path, const QByteArray &bytes, QString *problem)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QStringList lines = SplitTextLines(decoder.decode(bytes));
    const bool validText = !decoder.hasError();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool badText = !validText && lines[i].contains(QChar(0xFFFD));
        if (badText || HoldsControlCharacter(lines[i])) {
            *problem = DamagedMessage(path, QStringLiteral("line %1 %2: %3")
                                                .arg(i + 1)
                                                .arg(badText ? QStringLiteral("is not UTF-8 text")
                                                             : QStringLiteral("holds a control character"),
                                                     QuotedLine(lines[i])));
            return std::nullopt;
        }
    }
    return lines;
}

// The longest leading decimal number after blanks: sign, digits, fraction.
double leadingNumber(const QString &line)
{
    qsizetype i = 0;
    while (i < line.size() && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < line.size() && (line[i] == QLatin1Char('-') || line[i] == QLatin1Char('+')))
        ++i;
    while (i < line.size() && line[i].isDigit() && line[i].unicode() < 128)
        ++i;
    if (i < line.size() && line[i] == QLatin1Char('.')) {
        ++i;
        while (i < line.size() && line[i].isDigit() && line[i].unicode() < 128)
            ++i;
    }
    bool ok = false;
    const double value = line.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

qint16 ParseSwitch(const QString &line)
{
    const double rounded = std::nearbyint(leadingNumber(line)); // default mode: half to even
    const double low = std::numeric_limits<qint16>::min();
    const double high = std::numeric_limits<qint16>::max();
    return static_cast<qint16>(std::clamp(rounded, low, high));
}

QString FormatSwitch(qint16 value)
{
    const QString digits = QString::number(value);
    return (value < 0 ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' ');
}

Settings LoadSettings(const QString &path, QString *problem)
{
    Settings settings;
    QString ignored;
    QString &reported = problem ? *problem : ignored;
    reported.clear();
    const std::optional<QByteArray> bytes = ReadSettingsBytes(path, &reported);
    if (!bytes)
        return settings;
    const std::optional<QStringList> fileLines = SettingsLines(path, *bytes, &reported);
    if (!fileLines)
        return settings;
    const QStringList &lines = *fileLines;
    // A missing line leaves its field at the initial value.
    const auto readText = [&lines](int index, QString &field) {
        if (index < lines.size())
            field = lines[index];
    };
    const auto readSwitch = [&lines](int index, qint16 &field) {
        if (index < lines.size())
            field = ParseSwitch(lines[index]);
    };
    readText(0, settings.ConfigEbookDir);
    readText(1, settings.ConfigListDir);
    readSwitch(2, settings.ConfigTextList);
    readSwitch(3, settings.configTableList);
    readSwitch(4, settings.ConfigTreeViewList);
    readText(5, settings.ConfigListTitle);
    readSwitch(6, settings.ConfigSound);
    return settings;
}

bool SaveSettings(const Settings &settings, QString *error, const QString &path)
{
    const QStringList lines{
        settings.ConfigEbookDir,
        settings.ConfigListDir,
        FormatSwitch(settings.ConfigTextList),
        FormatSwitch(settings.configTableList),
        FormatSwitch(settings.ConfigTreeViewList),
        settings.ConfigListTitle,
        FormatSwitch(settings.ConfigSound),
    };
    const QByteArray bytes = JoinTextLines(lines).toUtf8();
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly))
        reason = file.errorString();
    else if (CommitComplete(file, WriteAll(file, bytes), &reason))
        return true;
    if (error)
        *error = QStringLiteral("Could not save the settings to \"%1\": %2").arg(path, reason);
    return false;
}

QString &EnsureTrailingBackslash(QString &path, QChar separator)
{
    if (!path.endsWith(separator))
        path += separator;
    return path;
}
