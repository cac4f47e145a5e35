#pragma once

#include "property_bag.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <initializer_list>
#include <utility>

class QWidget;
class QtControlLoader;

// One command button of a window's layout: the button array it belongs to, its index in
// that array (-1 for a button that is no array), and its saved properties.
struct SavedButton
{
    QString name;
    int index = -1;
    PropertyBag saved;
};

// A bag holding base's properties, then the given ones (which replace those of the same name).
PropertyBag SavedProperties(std::initializer_list<std::pair<QString, QVariant>> values,
                            const PropertyBag &base = PropertyBag());

// What every command button of the program shares: the system sans-serif in bold at the
// given size, caption and hover colours from the desktop's theme.
PropertyBag CommandButtonLook(qreal pointSize = 8.25);

// A row of a window's table: a button of the common look with its caption and tool tip.
SavedButton CommandButtonRow(const QString &name, int index, const QString &caption,
                             const QString &toolTip = QString(), qreal pointSize = 8.25);

// The buttons made from one window's table, found by array name and index.
class CommandButtons
{
public:
    QWidget *at(const QString &name, int index = -1) const { return buttons_.value(key(name, index)); }
    void insert(const QString &name, int index, QWidget *button) { buttons_.insert(key(name, index), button); }

    // "ButtonConfig(2)" for an array element, the bare name otherwise.
    static QString key(const QString &name, int index);

private:
    QHash<QString, QWidget *> buttons_;
};

// The click handlers of a window, one per button array; each gets the element's index.
using ButtonHandlers = QHash<QString, std::function<void(int index)>>;

// Makes every button of the table as a hover button ("Lumikit.Lumicap") from its saved
// properties, or as a standard push button with the same caption, tool tip and font when
// the control library is not available (controls null or failed). A click runs the
// handler of the button's array with its index; an array without a handler does nothing.
CommandButtons MakeCommandButtons(QtControlLoader *controls, const QList<SavedButton> &table, QWidget *parent,
                                  const ButtonHandlers &handlers);

// One button from its saved properties, calling onClick on every click.
QWidget *MakeCommandButton(QtControlLoader *controls, const PropertyBag &saved, QWidget *parent,
                           std::function<void()> onClick);

// The same with a control already made (nullptr when there is none): the control when its
// Click can be connected, else a standard push button from the saved properties (and the
// control is deleted).
QWidget *CommandButtonFrom(QWidget *control, const PropertyBag &saved, QWidget *parent,
                           std::function<void()> onClick);
