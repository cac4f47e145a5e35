#pragma once

#include <QString>
#include <QtGlobal>

// The seven user settings, named after the Config-tab controls that show them.
// Switches are 0 (off) or 1 (on); a hand-edited file may hold other numbers.
struct Settings
{
    QString ConfigEbookDir;
    QString ConfigListDir;
    qint16 ConfigTextList = 0;
    qint16 configTableList = 0;
    qint16 ConfigTreeViewList = 0;
    QString ConfigListTitle;
    qint16 ConfigSound = 0;

    bool operator==(const Settings &) const = default;
};
