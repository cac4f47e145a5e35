#include "shell/settings_file.h"

#include "shell/text_lines.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

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

Settings LoadSettings(const QString &path)
{
    Settings settings;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return settings;
    const QStringList lines = SplitTextLines(QString::fromUtf8(file.readAll()));
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
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else if (file.write(bytes) != bytes.size() || !file.flush()) {
        // A write cut short (a full disk) reports no error of its own, and commit would
        // put the shortened file in place of the old one.
        reason = QStringLiteral("the file could not be written completely (is the disk full?)");
        file.cancelWriting();
    } else if (!file.commit()) {
        reason = file.errorString();
    }
    if (reason.isEmpty())
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
