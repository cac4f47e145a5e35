#include "saved_values.h"

#include <cmath>
#include <limits>
#include <optional>

namespace {

bool isWholeNumberType(int typeId)
{
    switch (typeId) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
        return true;
    default:
        return false;
    }
}

// The value as a whole number, when it is one; text and fractions are not.
std::optional<qint64> wholeNumber(const QVariant &value)
{
    const int typeId = value.typeId();
    if (isWholeNumberType(typeId))
        return value.toLongLong();
    if (typeId == QMetaType::ULongLong) {
        const qulonglong n = value.toULongLong();
        if (n > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(n);
    }
    if (typeId == QMetaType::Double || typeId == QMetaType::Float) {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || std::fabs(d) > 9.0e15)
            return std::nullopt;
        return qint64(d);
    }
    return std::nullopt;
}

std::optional<qint64> wholeNumberInRange(const QVariant &value, qint64 low, qint64 high)
{
    const auto n = wholeNumber(value);
    if (!n || *n < low || *n > high)
        return std::nullopt;
    return n;
}

} // namespace

quint32 ReadColor(const PropertyBag &bag, const QString &name, quint32 defaultValue)
{
    const auto n = wholeNumberInRange(bag.ReadProperty(name), std::numeric_limits<qint32>::min(),
                                      std::numeric_limits<quint32>::max());
    return n ? quint32(*n) : defaultValue;
}

qint16 ReadStyle(const PropertyBag &bag, const QString &name, qint16 defaultValue)
{
    const auto n = wholeNumberInRange(bag.ReadProperty(name), std::numeric_limits<qint16>::min(),
                                      std::numeric_limits<quint16>::max());
    return n ? qint16(quint16(*n)) : defaultValue;
}

bool ReadBool(const PropertyBag &bag, const QString &name, bool defaultValue)
{
    const QVariant value = bag.ReadProperty(name);
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const auto n = wholeNumber(value);
    return n ? *n != 0 : defaultValue;
}

QFont ReadFont(const PropertyBag &bag, const QString &name, const QFont &defaultValue)
{
    const QVariant value = bag.ReadProperty(name);
    if (value.typeId() == QMetaType::QFont)
        return value.value<QFont>();
    QFont font;
    if (value.typeId() == QMetaType::QString && font.fromString(value.toString()))
        return font;
    return defaultValue;
}

QString ReadText(const PropertyBag &bag, const QString &name, const QString &defaultValue)
{
    const QVariant value = bag.ReadProperty(name);
    return value.typeId() == QMetaType::QString ? value.toString() : defaultValue;
}
