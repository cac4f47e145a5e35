#pragma once

#include "base/settings.h"

#include <QString>

inline constexpr char kSettingsFileName[] = "Path.txt";

// Reads the seven positional lines. A missing file or missing lines leave the
// initial values for what is missing. A file that cannot be read, or that is no
// settings file (not a regular file, over 64 KiB, a line that is not text) gives the
// initial values, and *problem says why for the user; it is empty otherwise.
Settings LoadSettings(const QString &path = QString::fromLatin1(kSettingsFileName), QString *problem = nullptr);

// Writes the seven lines, replacing the file only once the new one is complete.
// On failure returns false and says why in *error; the old file stays as it was.
bool SaveSettings(const Settings &settings, QString *error,
                  const QString &path = QString::fromLatin1(kSettingsFileName));

// A switch line read by the number rule: leading blanks skipped, the longest leading
// decimal number, rounded half to even; no number gives 0.
qint16 ParseSwitch(const QString &line);
// The number-printing form: a blank where a sign would stand, the digits, a blank.
QString FormatSwitch(qint16 value);

// Appends the separator unless the path already ends with it (also when empty).
QString &EnsureTrailingBackslash(QString &path, QChar separator = QLatin1Char('/'));
