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

// The elements of this tab's button arrays, numbered as in the saved layout: ButtonMakeList...
constexpr int kMakeList = 0;
constexpr int kViewList = 1;
// ...ButtonExplorer...
constexpr int kFileFind = 0;
constexpr int kWinExplorer = 1;
// ...and Lumicap1, the Exit buttons, one on each tab.
constexpr int kExitOnUtilities = 0;

// The comment indicator's size: 255 x 135 twips in the saved layout.
constexpr QSize kIndicatorSize(17, 9);

QList<SavedButton> buttonTable()
{
    return {
        CommandButtonRow("ButtonHyperJump", -1, "Go", "Go to web page"),
        CommandButtonRow("ButtonMakeList", kMakeList, "Make List", "Make E-Book list"),
        CommandButtonRow("ButtonMakeList", kViewList, "View List", "View E-Book list"),
        CommandButtonRow("ButtonExplorer", kWinExplorer, "WinExplorer", "Loads Windows Explorer to E-Book directory"),
        CommandButtonRow("ButtonExplorer", kFileFind, "File Find", "Find Files in E-Book directory"),
        CommandButtonRow("Lumicap1", kExitOnUtilities, "Exit"),
    };
}

QLineEdit *infoField(const char *name, const QString &label, const QString &toolTip, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    NameControl(field, label, toolTip);
    return field;
}

QGroupBox *frame(const QString &caption, const char *name, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
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

    QGroupBox *links = frame(QStringLiteral("Shelvana Utilities"), "Frame1", this);
    linkChooser_ = new QComboBox(links);
    linkChooser_->setObjectName(QStringLiteral("Combo1"));
    linkChooser_->setEditable(true);
    linkChooser_->setInsertPolicy(QComboBox::NoInsert);
    linkChooser_->setMinimumContentsLength(24);
    NameControl(linkChooser_, QStringLiteral("Browser link"), kLinkToolTip);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(linkChooser_, 1);
    searchRow->addWidget(buttons.at(QStringLiteral("ButtonHyperJump")));
    auto *listRow = new QHBoxLayout;
    listRow->addWidget(buttons.at(QStringLiteral("ButtonMakeList"), kMakeList));
    listRow->addWidget(buttons.at(QStringLiteral("ButtonMakeList"), kViewList));
    listRow->addStretch(1);
    auto *linksLayout = new QVBoxLayout(links);
    linksLayout->addLayout(searchRow);
    linksLayout->addLayout(listRow);

    QGroupBox *os = frame(QStringLiteral("OS Utilities"), "Frame2", this);
    auto *osLayout = new QVBoxLayout(os);
    osLayout->addWidget(buttons.at(QStringLiteral("ButtonExplorer"), kWinExplorer));
    osLayout->addWidget(buttons.at(QStringLiteral("ButtonExplorer"), kFileFind));

    QGroupBox *info = frame(QStringLiteral("File Info"), "Frame3", this);
    utilFile_ = infoField("UtilFile", QStringLiteral("File"),
                          QStringLiteral("Filename - click COPY while in Explorer or File Find"), info);
    utilTitle_ = infoField("UtilTitle", QStringLiteral("Title"), QStringLiteral("Extrapolated Title"), info);
    utilAuthor_ = infoField("UtilAuthor", QStringLiteral("Author"), QStringLiteral("Extrapolated Author"), info);
    matchIndicator_ = new QFrame(info);
    matchIndicator_->setObjectName(QStringLiteral("Shape1"));
    matchIndicator_->setFixedSize(kIndicatorSize);
    matchIndicator_->setFrameShape(QFrame::Box);
    matchIndicator_->setAutoFillBackground(true);
    matchIndicator_->setAccessibleName(QStringLiteral("Comment indicator"));
    showIndicator(Indicator::Grey);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(utilFile_, 1);
    fileRow->addWidget(matchIndicator_);
    auto *infoLayout = new QFormLayout(info);
    infoLayout->addRow(QStringLiteral("File"), fileRow);
    infoLayout->addRow(QStringLiteral("Title"), utilTitle_);
    infoLayout->addRow(QStringLiteral("Author"), utilAuthor_);
    bookData_ = new BookDataLine(info);
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
    layout->addWidget(buttons.at(QStringLiteral("Lumicap1"), kExitOnUtilities), 0, Qt::AlignRight);
}

void UtilitiesTab::setLinks(const BrowserLinks &links)
{
    linkChooser_->clear();
    linkChooser_->addItems(links.names);
    linkPrefixes_ = links.prefixes;
    const QString toolTip = links.problem.isEmpty() ? kLinkToolTip : kLinkToolTip + QLatin1Char('\n') + links.problem;
    NameControl(linkChooser_, QStringLiteral("Browser link"), toolTip);
}

void UtilitiesTab::selectLink(int position)
{
    if (position < linkChooser_->count())
        linkChooser_->setCurrentIndex(position);
}

std::optional<QString> UtilitiesTab::chosenPrefix() const
{
    QStringList names;
    for (int i = 0; i < linkChooser_->count(); ++i)
        names.append(linkChooser_->itemText(i));
    const std::optional<int> chosen = ChosenLink(names, linkChooser_->currentIndex(), linkChooser_->currentText());
    if (!chosen)
        return std::nullopt;
    return linkPrefixes_.value(*chosen);
}

void UtilitiesTab::goToWebPage()
{
    launchers_.goToWebPage(utilTitle_->text(), utilAuthor_->text(), chosenPrefix());
}

void UtilitiesTab::onButtonMakeList(int index)
{
    switch (index) {
    case kMakeList:
        emit makeListClicked();
        break;
    case kViewList:
        launchers_.viewList();
        break;
    default:
        break;
    }
}

void UtilitiesTab::onButtonExplorer(int index)
{
    switch (index) {
    case kFileFind:
        launchers_.fileFind();
        break;
    case kWinExplorer:
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
    QPalette palette = matchIndicator_->palette();
    palette.setColor(QPalette::Window, green ? QColor(0x00, 0xFF, 0x00) : QColor(0x80, 0x80, 0x80));
    matchIndicator_->setPalette(palette);
    matchIndicator_->setAccessibleDescription(green ? QStringLiteral("This file has a comment")
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
