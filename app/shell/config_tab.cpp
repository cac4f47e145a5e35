#include "shell/config_tab.h"

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

QList<SavedButton> buttonTable()
{
    return {
        CommandButtonRow("ButtonConfig", 0, "E-Book Directory", "Choose E-Book directory"),
        CommandButtonRow("ButtonConfig", 1, "List Directory", "Choose List directory"),
        CommandButtonRow("ButtonConfig", 2, "Save Config", "Save config", 9.75),
        CommandButtonRow("ButtonConfig", 3, "Edit Browser Links", "Edit Links for Browser"),
        CommandButtonRow("Lumicap1", 2, "Exit"),
    };
}

QLineEdit *directoryField(const char *name, const QString &label, const QString &toolTip)
{
    auto *field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setMinimumWidth(300);
    NameControl(field, label, toolTip);
    return field;
}

} // namespace

ConfigTab::ConfigTab(Settings &settings, Desktop &desktop, Launchers &launchers, QtControlLoader *controls,
                     const QString &settingsPath, QWidget *parent)
    : QWidget(parent)
    , settings_(settings)
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
    auto *box = new QCheckBox(caption);
    box->setObjectName(QLatin1String(name));
    NameControl(box, caption, toolTip);
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) { settings_.*field = on ? 1 : 0; });
    return box;
}

void ConfigTab::buildControls(QtControlLoader *controls)
{
    const CommandButtons buttons =
        MakeCommandButtons(controls, buttonTable(), this,
                           {{QStringLiteral("ButtonConfig"), [this](int index) { onButtonConfig(index); }},
                            {QStringLiteral("Lumicap1"), [this](int index) { emit exitClicked(index); }}});

    auto *frame = new QGroupBox(QStringLiteral("Configuration"));
    frame->setObjectName(QStringLiteral("Frame4"));
    ebookDir_ = directoryField("ConfigEbookDir", QStringLiteral("E-Book Directory"), QStringLiteral("Top E-Book Directory"));
    listDir_ = directoryField("ConfigListDir", QStringLiteral("List Directory"),
                              QStringLiteral("Directory to put E-Book lists in"));
    textList_ = switchBox("ConfigTextList", QStringLiteral("Text List"), QStringLiteral("Text Only E-Book List"),
                          &Settings::ConfigTextList);
    tableList_ = switchBox("configTableList", QStringLiteral("HTML Tables List"),
                           QStringLiteral("HTML with Tables E-Book List"), &Settings::configTableList);
    treeViewList_ = switchBox("ConfigTreeViewList", QStringLiteral("HTML/JS TreeView List"),
                              QStringLiteral("HTML w/Javascript TreeView E-Book List"), &Settings::ConfigTreeViewList);
    listTitle_ = new QLineEdit;
    listTitle_->setObjectName(QStringLiteral("ConfigListTitle"));
    NameControl(listTitle_, QStringLiteral("List Title"), QStringLiteral("What should appear at top of your Lists"));
    connect(listTitle_, &QLineEdit::textChanged, this, [this](const QString &text) { settings_.ConfigListTitle = text; });
    sound_ = switchBox("ConfigSound", QStringLiteral("Use Sound"), QStringLiteral("Turno On/Off the use of sound"),
                       &Settings::ConfigSound);
    auto *titleLabel = new QLabel(QStringLiteral("List Title"));
    titleLabel->setBuddy(listTitle_);

    auto *grid = new QGridLayout(frame);
    grid->addWidget(buttons.at(QStringLiteral("ButtonConfig"), 0), 0, 0);
    grid->addWidget(ebookDir_, 0, 1, 1, 2);
    grid->addWidget(buttons.at(QStringLiteral("ButtonConfig"), 1), 1, 0);
    grid->addWidget(listDir_, 1, 1, 1, 2);
    grid->addWidget(textList_, 2, 0);
    grid->addWidget(tableList_, 2, 1);
    grid->addWidget(treeViewList_, 2, 2);
    grid->addWidget(titleLabel, 3, 0);
    grid->addWidget(listTitle_, 3, 1, 1, 2);
    grid->addWidget(sound_, 4, 0);
    grid->addWidget(buttons.at(QStringLiteral("ButtonConfig"), 2), 4, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buttons.at(QStringLiteral("ButtonConfig"), 3));
    bottom->addStretch(1);
    bottom->addWidget(buttons.at(QStringLiteral("Lumicap1"), 2));
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
    case 0:
        ChooseDirectory(settings_, DirectoryField::EbookDir, desktop_.directories);
        ebookDir_->setText(settings_.ConfigEbookDir);
        break;
    case 1:
        ChooseDirectory(settings_, DirectoryField::ListDir, desktop_.directories);
        listDir_->setText(settings_.ConfigListDir);
        break;
    case 2:
        if (SaveConfig(settings_, settingsPath_, desktop_.sound, desktop_.messages))
            emit saved();
        break;
    case 3:
        if (const std::optional<QString> links = LinksFileToEdit(desktop_.messages))
            launchers_.editBrowserLinks(*links);
        break;
    default:
        break;
    }
}
