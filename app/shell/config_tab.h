#pragma once

#include "base/settings.h"

#include <QWidget>

class Launchers;
class QCheckBox;
class QLineEdit;
class QtControlLoader;
class UserPreferences;
struct Desktop;

// "Config": the settings, shown and edited in place. Ticking a box or typing the title
// changes the settings at once; only "Save Config" writes the settings file. The per-user
// choice "Leave copied files on the clipboard" is kept at once, outside that file.
class ConfigTab : public QWidget
{
    Q_OBJECT

public:
    ConfigTab(Settings &settings, UserPreferences &preferences, Desktop &desktop, Launchers &launchers,
              QtControlLoader *controls, const QString &settingsPath, QWidget *parent = nullptr);

    // Shows the settings as they are now (after they were loaded).
    void showSettings();

signals:
    void saved();
    void leaveCopiedFilesChanged(bool leave);
    void exitClicked(int index);

private:
    void buildControls(QtControlLoader *controls);
    void onButtonConfig(int index);
    QCheckBox *switchBox(const char *name, const QString &caption, const QString &toolTip, qint16 Settings::*field);
    QCheckBox *leaveCopiedFilesBox();
    void keepLeaveCopiedFiles(bool leave);

    Settings &settings_;
    UserPreferences &preferences_;
    Desktop &desktop_;
    Launchers &launchers_;
    QString settingsPath_;
    QLineEdit *ebookDir_ = nullptr;
    QLineEdit *listDir_ = nullptr;
    QCheckBox *textList_ = nullptr;
    QCheckBox *tableList_ = nullptr;
    QCheckBox *treeViewList_ = nullptr;
    QLineEdit *listTitle_ = nullptr;
    QCheckBox *sound_ = nullptr;
    QCheckBox *leaveCopiedFiles_ = nullptr;
};
