#pragma once

#include "property_bag.h"

#include <QFont>
#include <QString>

// Reading one saved property into its field's type. A name that is absent, or a value
// of an unusable kind (text for a colour, a number for a font), gives the default.

// Any whole number that fits 32 bits, signed or unsigned.
quint32 ReadColor(const PropertyBag &bag, const QString &name, quint32 defaultValue);
// Any whole number that fits 16 bits, signed or unsigned.
qint16 ReadStyle(const PropertyBag &bag, const QString &name, qint16 defaultValue);
// A Boolean, or a whole number (0 is false).
bool ReadBool(const PropertyBag &bag, const QString &name, bool defaultValue);
// A font, or a font's text description as QFont::toString gives it.
QFont ReadFont(const PropertyBag &bag, const QString &name, const QFont &defaultValue);
// Text only.
QString ReadText(const PropertyBag &bag, const QString &name, const QString &defaultValue);
