#include "shell/utilities_tab.h"

#include "platform/qt_button_table.h"
#include "shell/accessible_names.h"
#include "shell/book_data_line.h"
#include "shell/browser_links.h"
#include "shell/launchers.h"
#include "shell/web_search.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString kLinkToolTip = QStringLiteral("Loads default browser and  goes to web page");

QList<SavedButton> buttonTable()
{
    return {
        CommandButtonRow("ButtonHyperJump", -1, "Go", "Go to web page"),
        CommandButtonRow("ButtonMakeList", 0, "Make List", "Make E-Book list"),
        CommandButtonRow("ButtonMakeList", 1, "View List", "View E-Book list"),
        CommandButtonRow("ButtonExplorer", 1, "WinExplorer", "Loads Windows Explorer to E-Book directory"),
        CommandButtonRow("ButtonExplorer", 0, "File Find", "Find Files in E-Book directory"),
        CommandButtonRow("Lumicap1", 0, "Exit"),
    };
}

QLineEdit *infoField(const char *name, const QString &label, const QString &toolTip)
{
    auto *field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    NameControl(field, label, toolTip);
    return field;
}

QGroupBox *frame(const QString &caption, const char *name)
{
    auto *box = new QGroupBox(caption);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

UtilitiesTab::UtilitiesTab(Launchers &launchers, QtControlLoader *controls, QWidget *parent)
    : QWidget(parent), launchers_(launchers)
{
    setObjectName(QStringLiteral("UtilitiesTab"));
    buildControls(controls);
}

void UtilitiesTab::buildControls(QtControlLoader *controls)
{
    const CommandButtons buttons = MakeCommandButtons(
        controls, buttonTable(), this,
        {{QStringLiteral("ButtonHyperJump"), [this](int) { goToWebPage(); }},
         {QStringLiteral("ButtonMakeList"), [this](int index) { onButtonMakeList(index); }},
         {QStringLiteral("ButtonExplorer"), [this](int index) { onButtonExplorer(index); }},
         {QStringLiteral("Lumicap1"), [this](int index) { emit exitClicked(index); }}});

    QGroupBox *links = frame(QStringLiteral("Shelvana Utilities"), "Frame1");
    combo1_ = new QComboBox;
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setEditable(true);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    combo1_->setMinimumContentsLength(24);
    NameControl(combo1_, QStringLiteral("Browser link"), kLinkToolTip);
    combo2_ = new QComboBox(this);
    combo2_->setObjectName(QStringLiteral("Combo2"));
    combo2_->setEditable(true);
    combo2_->setEditText(QStringLiteral("Hidden"));
    combo2_->hide();
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(combo1_, 1);
    searchRow->addWidget(buttons.at(QStringLiteral("ButtonHyperJump")));
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(buttons.at(QStringLiteral("ButtonMakeList"), 0));
    listRow->addWidget(buttons.at(QStringLiteral("ButtonMakeList"), 1));
    listRow->addStretch(1);
    auto *linksLayout = new QVBoxLayout(links);
    linksLayout->addLayout(searchRow);
    linksLayout->addLayout(listRow);

    QGroupBox *os = frame(QStringLiteral("OS Utilities"), "Frame2");
    auto *osLayout = new QVBoxLayout(os);
    osLayout->addWidget(buttons.at(QStringLiteral("ButtonExplorer"), 1));
    osLayout->addWidget(buttons.at(QStringLiteral("ButtonExplorer"), 0));

    QGroupBox *info = frame(QStringLiteral("File Info"), "Frame3");
    utilFile_ = infoField("UtilFile", QStringLiteral("File"), QStringLiteral("Filename - click COPY while in Explorer or File Find"));
    utilTitle_ = infoField("UtilTitle", QStringLiteral("Title"), QStringLiteral("Extrapolated Title"));
    utilAuthor_ = infoField("UtilAuthor", QStringLiteral("Author"), QStringLiteral("Extrapolated Author"));
    shape1_ = new QFrame;
    shape1_->setObjectName(QStringLiteral("Shape1"));
    shape1_->setFixedSize(255 / 15, 135 / 15);
    shape1_->setFrameShape(QFrame::Box);
    shape1_->setAutoFillBackground(true);
    shape1_->setAccessibleName(QStringLiteral("Comment indicator"));
    showIndicator(Indicator::Grey);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(utilFile_, 1);
    fileRow->addWidget(shape1_);
    auto *infoLayout = new QFormLayout(info);
    infoLayout->addRow(QStringLiteral("File"), fileRow);
    infoLayout->addRow(QStringLiteral("Title"), utilTitle_);
    infoLayout->addRow(QStringLiteral("Author"), utilAuthor_);
    bookData_ = new BookDataLine;
    infoLayout->addRow(bookData_);
    connect(bookData_, &BookDataLine::useRequested, this, &UtilitiesTab::useBookData);
    setTabOrder(utilFile_, utilTitle_);
    setTabOrder(utilTitle_, utilAuthor_);

    auto *top = new QHBoxLayout;
    top->addWidget(links, 1);
    top->addWidget(os);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(info);
    layout->addStretch(1);
    layout->addWidget(buttons.at(QStringLiteral("Lumicap1"), 0), 0, Qt::AlignRight);
}

void UtilitiesTab::setLinks(const BrowserLinks &links)
{
    combo1_->clear();
    combo2_->clear();
    combo1_->addItems(links.names);
    combo2_->addItems(links.prefixes);
    const QString toolTip = links.problem.isEmpty() ? kLinkToolTip : kLinkToolTip + QLatin1Char('\n') + links.problem;
    NameControl(combo1_, QStringLiteral("Browser link"), toolTip);
}

void UtilitiesTab::selectLink(int position)
{
    if (position < combo1_->count())
        combo1_->setCurrentIndex(position);
}

std::optional<QString> UtilitiesTab::chosenPrefix() const
{
    QStringList names;
    for (int i = 0; i < combo1_->count(); ++i)
        names.append(combo1_->itemText(i));
    const std::optional<int> chosen = ChosenLink(names, combo1_->currentIndex(), combo1_->currentText());
    if (!chosen)
        return std::nullopt;
    combo2_->setCurrentIndex(*chosen);
    return combo2_->currentText();
}

void UtilitiesTab::goToWebPage()
{
    launchers_.goToWebPage(utilTitle_->text(), utilAuthor_->text(), chosenPrefix());
}

void UtilitiesTab::onButtonMakeList(int index)
{
    switch (index) {
    case 0:
        emit makeListClicked();
        break;
    case 1:
        launchers_.viewList();
        break;
    default:
        break;
    }
}

void UtilitiesTab::onButtonExplorer(int index)
{
    switch (index) {
    case 0:
        launchers_.fileFind();
        break;
    case 1:
        launchers_.winExplorer();
        break;
    default:
        break;
    }
}

FileInfo UtilitiesTab::fileInfo() const
{
    return FileInfo{utilFile_->text(), utilAuthor_->text(), utilTitle_->text(), indicator_};
}

void UtilitiesTab::showFileInfo(const FileInfo &info)
{
    utilFile_->setText(info.file);
    utilAuthor_->setText(info.author);
    utilTitle_->setText(info.title);
    showIndicator(info.indicator);
}

void UtilitiesTab::showIndicator(Indicator indicator)
{
    indicator_ = indicator;
    const bool green = indicator == Indicator::Green;
    QPalette palette = shape1_->palette();
    palette.setColor(QPalette::Window, green ? QColor(0x00, 0xFF, 0x00) : QColor(0x80, 0x80, 0x80));
    shape1_->setPalette(palette);
    shape1_->setAccessibleDescription(green ? QStringLiteral("This file has a comment")
                                            : QStringLiteral("Will turn Green if there is a comment"));
}

void UtilitiesTab::readBook(const QString &path)
{
    bookData_->readBook(path);
}

// A value the book does not name leaves its field as it is.
void UtilitiesTab::useBookData(const QString &author, const QString &title)
{
    if (!author.isEmpty())
        utilAuthor_->setText(author);
    if (!title.isEmpty())
        utilTitle_->setText(title);
}
