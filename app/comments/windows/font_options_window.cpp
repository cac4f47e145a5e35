#include "comments/windows/font_options_window.h"

#include "comments/windows/comment_buttons.h"
#include "twips.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const CommandButton kRtfEdit[] = {
    {"Bold", "Bold: switched off where the selection is partly bold"},
    {"Underline", "Underline: switched off where the selection is partly underlined"},
    {"Italic", "Italic: switched off where the selection is partly italic"},
};

QString swatchName(const Swatch &swatch)
{
    return QStringLiteral("Colour %1").arg(swatch.index);
}

} // namespace

void SwatchLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

FontOptionsWindow::FontOptionsWindow(std::function<QTextEdit *()> target, QtControlLoader *controls, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), target_(std::move(target)), names_(new QComboBox(this)),
      sizes_(new QComboBox(this)), foreColor_(new QRadioButton(QStringLiteral("ForeColor"), this)),
      backColor_(new QRadioButton(QStringLiteral("BackColor"), this))
{
    setObjectName(QStringLiteral("FontOptions"));
    setWindowTitle(QStringLiteral("Font Menu"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);

    auto *caption = new SwatchLabel(QStringLiteral("Font"));
    caption->setAutoFillBackground(true);
    caption->setObjectName(QStringLiteral("Label1_0"));
    connect(caption, &SwatchLabel::clicked, this, [this, caption] { swatchClicked(caption->colour()); });
    labels_ << caption;
    names_->setObjectName(QStringLiteral("cmbFontName"));
    names_->setEditable(true);
    names_->setAccessibleName(QStringLiteral("Font"));
    names_->setToolTip(QStringLiteral("Font of the selected text"));
    names_->setAccessibleDescription(names_->toolTip());
    sizes_->setObjectName(QStringLiteral("cmbFontSize"));
    sizes_->setEditable(true);
    sizes_->setAccessibleName(QStringLiteral("Size"));
    sizes_->setToolTip(QStringLiteral("Size of the selected text, in points: pick one from the list"));
    sizes_->setAccessibleDescription(sizes_->toolTip());
    auto *sizeLabel = new QLabel(QStringLiteral("Size"));
    sizeLabel->setBuddy(sizes_);
    caption->setBuddy(names_);
    foreColor_->setObjectName(QStringLiteral("Option1"));
    foreColor_->setToolTip(QStringLiteral("A colour click colours the selected text"));
    backColor_->setObjectName(QStringLiteral("Option2"));
    backColor_->setToolTip(QStringLiteral("A colour click colours the whole box's background"));
    for (QRadioButton *option : {foreColor_, backColor_})
        option->setAccessibleDescription(option->toolTip());
    foreColor_->setChecked(true);

    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    form->addRow(caption, names_);
    form->addRow(sizeLabel, sizes_);
    layout->addLayout(form);
    auto *options = new QHBoxLayout;
    options->addWidget(foreColor_);
    options->addWidget(backColor_);
    layout->addLayout(options);
    auto *edits = new QHBoxLayout;
    AddCommandButtons(edits, controls, QStringLiteral("RTFEdit"), kRtfEdit, 0, [this](int index) { rtfEdit(index); });
    layout->addLayout(edits);
    layout->addWidget(makeSwatchBox(), 0, Qt::AlignHCenter);
    auto *close = new QPushButton(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("Command2"));
    close->setToolTip(QStringLiteral("Close the Font Menu"));
    close->setAccessibleDescription(close->toolTip());
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(close, 0, Qt::AlignRight);

    // Typed names and sizes never join the lists; a size is applied only when picked from the
    // list, so Return in the size box does nothing.
    names_->setInsertPolicy(QComboBox::NoInsert);
    sizes_->setInsertPolicy(QComboBox::NoInsert);
    sizes_->lineEdit()->installEventFilter(this);

    // Loading applies, in turn, the first font, size 10 and Arial to the target's selection.
    connect(names_, &QComboBox::currentTextChanged, this, &FontOptionsWindow::applyFontName);
    connect(sizes_, &QComboBox::textActivated, this, &FontOptionsWindow::applyFontSize);
    names_->addItems(QFontDatabase::families());
    names_->setCurrentIndex(0);
    sizes_->addItems(FontSizes());
    sizes_->setCurrentIndex(1);
    applyFontSize(sizes_->currentText());
    // Where Arial is not installed the name stays and Qt substitutes a similar font.
    names_->setCurrentText(QString::fromLatin1(kDefaultFontName));
    sizes_->setCurrentText(QString::fromLatin1(kDefaultFontSize));
}

bool FontOptionsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == sizes_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

QWidget *FontOptionsWindow::makeSwatchBox()
{
    auto *box = new QFrame;
    box->setObjectName(QStringLiteral("Picture1"));
    box->setFrameShape(QFrame::Box);
    const int size = TwipsToPixels(kSwatchSizeTwips);
    int right = 0;
    int bottom = 0;
    for (const Swatch &swatch : Swatches()) {
        auto *label = new SwatchLabel(box);
        label->setObjectName(QStringLiteral("Label1_%1").arg(swatch.index));
        label->setAccessibleName(swatchName(swatch));
        label->setToolTip(QStringLiteral("Red %1, green %2, blue %3").arg(swatch.red).arg(swatch.green).arg(swatch.blue));
        label->setAccessibleDescription(label->toolTip());
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(label->backgroundRole(), QColor(swatch.red, swatch.green, swatch.blue));
        label->setPalette(palette);
        label->setGeometry(TwipsToPixels(swatch.leftTwips), TwipsToPixels(swatch.topTwips), size, size);
        connect(label, &SwatchLabel::clicked, this, [this, label] { swatchClicked(label->colour()); });
        labels_ << label;
        right = std::max(right, label->geometry().right());
        bottom = std::max(bottom, label->geometry().bottom());
    }
    box->setFixedSize(right + TwipsToPixels(120), bottom + TwipsToPixels(120));
    return box;
}

void FontOptionsWindow::applyFormat(const QTextCharFormat &format)
{
    if (QTextEdit *box = target_())
        box->mergeCurrentCharFormat(format);
}

void FontOptionsWindow::applyFontName(const QString &name)
{
    QTextCharFormat format;
    format.setFontFamilies({name});
    applyFormat(format);
}

void FontOptionsWindow::applyFontSize(const QString &size)
{
    bool number = false;
    const double points = size.toDouble(&number);
    if (!number || points <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    applyFormat(format);
}

void FontOptionsWindow::rtfEdit(int index)
{
    static const TextAttribute attributes[] = {TextAttribute::Bold, TextAttribute::Underline, TextAttribute::Italic};
    QTextEdit *box = target_();
    if (!box || index < 0 || index > 2)
        return;
    if (const std::optional<bool> on = AttributeAfterPress(SelectionAttribute(box, attributes[index])))
        SetSelectionAttribute(box, attributes[index], *on);
}

void FontOptionsWindow::swatchClicked(const QColor &colour)
{
    QTextEdit *box = target_();
    if (!box)
        return;
    if (foreColor_->isChecked()) {
        QTextCharFormat format;
        format.setForeground(colour);
        box->mergeCurrentCharFormat(format);
        return;
    }
    // The background belongs to the box, not to the stored comment.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
    if (box->isVisible())
        box->setFocus();
}
