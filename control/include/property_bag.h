#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>

// A host's store of one control's saved properties. Names are matched without regard
// to case; each keeps the spelling and the place in which it was first written, so a
// saved control reads back in the order it was written. Header-only: the host and the
// control library each compile it, and neither links the other.
class PropertyBag
{
public:
    // The stored value, or defaultValue when the name is absent.
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = QVariant()) const
    {
        const qsizetype at = indexOf(name);
        return at < 0 ? defaultValue : entries_.at(at).second;
    }

    // Stores the value, replacing one stored under the same name. A value equal to its
    // default is not stored, and an older value under that name is dropped, so the bag
    // never reads back something other than what was last written.
    void WriteProperty(const QString &name, const QVariant &value,
                       const QVariant &defaultValue = QVariant())
    {
        const qsizetype at = indexOf(name);
        if (defaultValue.isValid() && value == defaultValue) {
            if (at >= 0)
                entries_.removeAt(at);
        } else if (at >= 0) {
            entries_[at].second = value;
        } else {
            entries_.append({name, value});
        }
    }

    bool Contains(const QString &name) const { return indexOf(name) >= 0; }

    // The stored names in the order they were first written.
    QStringList Names() const
    {
        QStringList names;
        for (const auto &entry : entries_)
            names.append(entry.first);
        return names;
    }

    bool IsEmpty() const { return entries_.isEmpty(); }

    friend bool operator==(const PropertyBag &, const PropertyBag &) = default;

private:
    qsizetype indexOf(const QString &name) const
    {
        for (qsizetype i = 0; i < entries_.size(); ++i) {
            if (entries_.at(i).first.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    QList<std::pair<QString, QVariant>> entries_;
};
