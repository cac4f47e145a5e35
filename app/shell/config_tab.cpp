#include "shell/config_tab.h"

#include "platform/message_box.h"
#include "platform/qt_button_table.h"
#include "shell/accessible_names.h"
#include "shell/browser_links.h"
#include "shell/config_commands.h"
#include "shell/desktop.h"
#include "shell/launchers.h"
#include "shell/user_links_file.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The elements of this tab's button arrays, numbered as in the saved layout: ButtonConfig...
constexpr int kEbookDirectory = 0;
constexpr int kListDirectory = 1;
constexpr int kSaveConfig = 2;
constexpr int kEditBrowserLinks = 3;
// ...and Lumicap1, the Exit buttons, one on each tab.
constexpr int kExitOnConfig = 2;

QList<SavedButton> buttonTable()
{
    return {
        CommandButtonRow("ButtonConfig", kEbookDirectory, "E-Book Directory", "Choose E-Book directory"),
        CommandButtonRow("ButtonConfig", kListDirectory, "List Directory", "Choose List directory"),
        CommandButtonRow("ButtonConfig", kSaveConfig, "Save Config", "Save config", 9.75),
        CommandButtonRow("ButtonConfig", kEditBrowserLinks, "Edit Browser Links", "Edit Links for Browser"),
        CommandButtonRow("Lumicap1", kExitOnConfig, "Exit"),
    };
}

QLineEdit *directoryField(const char *name, const QString &label, const QString &toolTip, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setMinimumWidth(300);
    NameControl(field, label, toolTip);
    return field;
}

QCheckBox *checkBox(const char *name, const QString &caption, const QString &toolTip, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    NameControl(box, caption, toolTip);
    return box;
}

} // namespace

ConfigTab::ConfigTab(Settings &settings, UserPreferences &preferences, Desktop &desktop, Launchers &launchers,
                     QtControlLoader *controls, const QString &settingsPath, QWidget *parent)
    : QWidget(parent)
    , settings_(settings)
    , preferences_(preferences)
    , desktop_(desktop)
    , launchers_(launchers)
    , settingsPath_(settingsPath)
{
    setObjectName(QStringLiteral("ConfigTab"));
    buildControls(controls);
    showSettings();
}

QCheckBox *ConfigTab::switchBox(const char *name, const QString &caption, const QString &toolTip,
                                qint16 Settings::*field)
{
    QCheckBox *box = checkBox(name, caption, toolTip, this);
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) { settings_.*field = on ? 1 : 0; });
    return box;
}

QCheckBox *ConfigTab::leaveCopiedFilesBox()
{
    QCheckBox *box = checkBox("LeaveCopiedFiles", QStringLiteral("Leave copied files on the clipboard"),
                              QStringLiteral("Files copied in the file manager stay on the clipboard after File Info "
                                             "shows them, so they can still be pasted elsewhere (kept for you at once)"),
                              this);
    box->setChecked(preferences_.leaveCopiedFiles());
    connect(box, &QCheckBox::toggled, this, &ConfigTab::keepLeaveCopiedFiles);
    return box;
}

void ConfigTab::keepLeaveCopiedFiles(bool leave)
{
    QString error;
    if (!preferences_.setLeaveCopiedFiles(leave, &error))
        desktop_.messages.show(QStringLiteral("Shelvana"), error);
    emit leaveCopiedFilesChanged(leave); // for this run, kept or not
}

void ConfigTab::buildControls(QtControlLoader *controls)
{
    const CommandButtons buttons =
        MakeCommandButtons(controls, buttonTable(), this,
                           {{QStringLiteral("ButtonConfig"), [this](int index) { onButtonConfig(index); }},
                            {QStringLiteral("Lumicap1"), [this](int index) { emit exitClicked(index); }}});

    auto *frame = new QGroupBox(QStringLiteral("Configuration"), this);
    frame->setObjectName(QStringLiteral("Frame4"));
    ebookDir_ = directoryField("ConfigEbookDir", QStringLiteral("E-Book Directory"), QStringLiteral("Top E-Book Directory"),
                               frame);
    listDir_ = directoryField("ConfigListDir", QStringLiteral("List Directory"),
                              QStringLiteral("Directory to put E-Book lists in"), frame);
    textList_ = switchBox("ConfigTextList", QStringLiteral("Text List"), QStringLiteral("Text Only E-Book List"),
                          &Settings::ConfigTextList);
    tableList_ = switchBox("configTableList", QStringLiteral("HTML Tables List"),
                           QStringLiteral("HTML with Tables E-Book List"), &Settings::configTableList);
    treeViewList_ = switchBox("ConfigTreeViewList", QStringLiteral("HTML/JS TreeView List"),
                              QStringLiteral("HTML w/Javascript TreeView E-Book List"), &Settings::ConfigTreeViewList);
    listTitle_ = new QLineEdit(frame);
    listTitle_->setObjectName(QStringLiteral("ConfigListTitle"));
    NameControl(listTitle_, QStringLiteral("List Title"), QStringLiteral("What should appear at top of your Lists"));
    connect(listTitle_, &QLineEdit::textChanged, this, [this](const QString &text) { settings_.ConfigListTitle = text; });
    sound_ = switchBox("ConfigSound", QStringLiteral("Use Sound"), QStringLiteral("Turno On/Off the use of sound"),
                       &Settings::ConfigSound);
    leaveCopiedFiles_ = leaveCopiedFilesBox();
    auto *titleLabel = new QLabel(QStringLiteral("List Title"), frame);
    titleLabel->setBuddy(listTitle_);

    auto *grid = new QGridLayout(frame);
    grid->addWidget(buttons.at(QStringLiteral("ButtonConfig"), kEbookDirectory), 0, 0);
    grid->addWidget(ebookDir_, 0, 1, 1, 2);
    grid->addWidget(buttons.at(QStringLiteral("ButtonConfig"), kListDirectory), 1, 0);
    grid->addWidget(listDir_, 1, 1, 1, 2);
    grid->addWidget(textList_, 2, 0);
    grid->addWidget(tableList_, 2, 1);
    grid->addWidget(treeViewList_, 2, 2);
    grid->addWidget(titleLabel, 3, 0);
    grid->addWidget(listTitle_, 3, 1, 1, 2);
    grid->addWidget(sound_, 4, 0);
    grid->addWidget(leaveCopiedFiles_, 4, 1);
    grid->addWidget(buttons.at(QStringLiteral("ButtonConfig"), kSaveConfig), 4, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buttons.at(QStringLiteral("ButtonConfig"), kEditBrowserLinks));
    bottom->addStretch(1);
    bottom->addWidget(buttons.at(QStringLiteral("Lumicap1"), kExitOnConfig));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addStretch(1);
    layout->addLayout(bottom);
}

void ConfigTab::showSettings()
{
    ebookDir_->setText(settings_.ConfigEbookDir);
    listDir_->setText(settings_.ConfigListDir);
    // Showing a value is no edit: a switch outside 0 and 1 stays as loaded until ticked.
    const Settings loaded = settings_;
    textList_->setChecked(loaded.ConfigTextList != 0);
    tableList_->setChecked(loaded.configTableList != 0);
    treeViewList_->setChecked(loaded.ConfigTreeViewList != 0);
    sound_->setChecked(loaded.ConfigSound != 0);
    settings_ = loaded;
    listTitle_->setText(settings_.ConfigListTitle);
}

void ConfigTab::onButtonConfig(int index)
{
    switch (index) {
    case kEbookDirectory:
        ChooseDirectory(settings_, DirectoryField::EbookDir, desktop_.directories);
        ebookDir_->setText(settings_.ConfigEbookDir);
        break;
    case kListDirectory:
        ChooseDirectory(settings_, DirectoryField::ListDir, desktop_.directories);
        listDir_->setText(settings_.ConfigListDir);
        break;
    case kSaveConfig:
        if (SaveConfig(settings_, settingsPath_, desktop_.sound, desktop_.messages))
            emit saved();
        break;
    case kEditBrowserLinks:
        if (const std::optional<QString> links = LinksFileToEdit(desktop_.messages))
            launchers_.editBrowserLinks(*links);
        break;
    default:
        break;
    }
}
