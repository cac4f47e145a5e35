#include "lumicap.h"

#include "event_codes.h"
#include "lumicap_drawing.h"
#include "lumicap_parts.h"
#include "ole_color.h"
#include "saved_values.h"
#include "twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// The surface's initial size, which a new button takes: 1215 x 495 twips.
QSize initialSurfaceSize()
{
    return QSize(TwipsToPixels(1215), TwipsToPixels(495));
}

// Saved-property names and the defaults used for both loading and saving.
const QString kMouseOverColor = QStringLiteral("MouseOverColor");
const QString kBackColor = QStringLiteral("BackColor");
const QString kForeColor = QStringLiteral("ForeColor");
const QString kEnabled = QStringLiteral("Enabled");
const QString kFont = QStringLiteral("Font");
const QString kBackStyle = QStringLiteral("BackStyle");
const QString kBorderStyle = QStringLiteral("BorderStyle");
const QString kCaption = QStringLiteral("Caption");
const QString kToolTipText = QStringLiteral("ToolTipText");
const QString kDefaultCaption = QStringLiteral("Button");

bool isActivationKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Lumicap::Lumicap(QWidget *parent)
    : QWidget(parent)
    , btn_(new LumicapSurface(this))
    , lbl_(new LumicapCaption(btn_))
    , backColor_(0)
    , foreColor_(kOleBlack)
    , mouseOverColor_(kOleRed)
{
    setFocusPolicy(Qt::TabFocus);
    btn_->setMouseTracking(true);
    btn_->installEventFilter(this);
    setAccessibleName(lbl_->text());
    resize(initialSurfaceSize());
    fitSurface();
    lbl_->adjustSize();
    centerCaption();
    updateCaptionColor();
}

void Lumicap::Refresh()
{
    DrawButton(0);
    centerCaption();
    updateCaptionColor();
}

QVariant Lumicap::DrawButton(short Style3D)
{
    btn_->SetSunken(Style3D != 0);
    return QVariant();
}

void Lumicap::PerformClick()
{
    if (userMode_ && Enabled())
        emit Click();
}

void Lumicap::SetBackColor(uint color)
{
    backColor_ = color;
    emit PropertyChanged(kBackColor);
}

void Lumicap::SetForeColor(uint color)
{
    foreColor_ = color;
    updateCaptionColor();
    emit PropertyChanged(kForeColor);
}

void Lumicap::SetMouseOverColor(uint color)
{
    mouseOverColor_ = color;
    updateCaptionColor();
    emit PropertyChanged(kMouseOverColor);
}

bool Lumicap::Enabled() const
{
    return btn_->isEnabled();
}

void Lumicap::SetEnabled(bool enabled)
{
    setEnabled(enabled);
    emit PropertyChanged(kEnabled);
}

QFont Lumicap::Font() const
{
    return lbl_->font();
}

void Lumicap::SetFont(const QFont &font)
{
    lbl_->setFont(font);
    lbl_->adjustSize();
    centerCaption();
    emit PropertyChanged(kFont);
}

void Lumicap::SetBackStyle(short style)
{
    backStyle_ = style;
    emit PropertyChanged(kBackStyle);
}

void Lumicap::SetBorderStyle(short style)
{
    borderStyle_ = style;
    emit PropertyChanged(kBorderStyle);
}

QString Lumicap::Caption() const
{
    lbl_->adjustSize();
    centerCaption();
    return lbl_->text();
}

void Lumicap::SetCaption(const QString &caption)
{
    setCaptionText(caption);
    emit PropertyChanged(kCaption);
}

QString Lumicap::ToolTipText() const
{
    return btn_->toolTip();
}

void Lumicap::SetToolTipText(const QString &text)
{
    btn_->setToolTip(text);
    emit PropertyChanged(kToolTipText);
}

void Lumicap::InitProperties()
{
    backColor_ = 0;
    backStyle_ = 0;
    borderStyle_ = 0;
    mouseOverColor_ = kOleRed;
    foreColor_ = kOleBlack;
    resize(initialSurfaceSize());
    fitSurface();
    centerCaption();
    updateCaptionColor();
}

void Lumicap::ReadProperties(const PropertyBag &bag)
{
    mouseOverColor_ = ReadColor(bag, kMouseOverColor, kOleButtonFace);
    backColor_ = ReadColor(bag, kBackColor, 0);
    foreColor_ = ReadColor(bag, kForeColor, kOleHighlight);
    setEnabled(ReadBool(bag, kEnabled, true));
    // A default-constructed font sets nothing, so the caption follows the host's font.
    lbl_->setFont(ReadFont(bag, kFont, QFont()));
    backStyle_ = ReadStyle(bag, kBackStyle, 0);
    borderStyle_ = ReadStyle(bag, kBorderStyle, 0);
    setCaptionText(ReadText(bag, kCaption, kDefaultCaption));
    btn_->setToolTip(ReadText(bag, kToolTipText, QString()));
    updateCaptionColor();
}

void Lumicap::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(kMouseOverColor, uint(mouseOverColor_), uint(kOleButtonFace));
    bag.WriteProperty(kBackColor, uint(backColor_), uint(0));
    bag.WriteProperty(kForeColor, uint(foreColor_), uint(kOleHighlight));
    bag.WriteProperty(kEnabled, Enabled(), true);
    bag.WriteProperty(kFont, QVariant::fromValue(Font()), QVariant::fromValue(ambientFont()));
    bag.WriteProperty(kBackStyle, int(backStyle_), 0);
    bag.WriteProperty(kBorderStyle, int(borderStyle_), 0);
    bag.WriteProperty(kCaption, lbl_->text(), kDefaultCaption);
    bag.WriteProperty(kToolTipText, ToolTipText(), QString());
}

void Lumicap::SetUserMode(bool userMode)
{
    userMode_ = userMode;
    releaseButton();
    updateCaptionColor();
}

QSize Lumicap::sizeHint() const
{
    constexpr int kCaptionMargin = 8;
    return initialSurfaceSize().expandedTo(lbl_->sizeHint() + QSize(2 * kCaptionMargin, kCaptionMargin));
}

bool Lumicap::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != btn_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        setPointerOver(true);
        break;
    case QEvent::Leave:
        setPointerOver(false);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        // Filters see input even of a disabled widget; a disabled button takes none.
        if (userMode_ && Enabled())
            handleMouse(static_cast<const QMouseEvent &>(*event));
        break;
    default:
        break;
    }
    return false;
}

void Lumicap::handleMouse(const QMouseEvent &event)
{
    const QPointF at = btn_->mapTo(this, event.position());
    const short shift = ShiftStateFor(event.modifiers());
    const float x = float(at.x());
    const float y = float(at.y());
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        DrawButton(4);
        clickArmed_ = event.button() == Qt::LeftButton;
        emit MouseDown(MouseButtonFor(event.button()), shift, x, y);
        break;
    case QEvent::MouseButtonDblClick:
        // The second press of a double-click raises DblClick instead of a second Click.
        DrawButton(4);
        clickArmed_ = false;
        emit DblClick();
        emit MouseDown(MouseButtonFor(event.button()), shift, x, y);
        break;
    case QEvent::MouseButtonRelease: {
        const bool click = clickArmed_ && event.button() == Qt::LeftButton
                           && btn_->rect().contains(event.position().toPoint());
        releaseButton();
        emit MouseUp(MouseButtonFor(event.button()), shift, x, y);
        if (click)
            emit Click();
        break;
    }
    default:
        // While a button is held the pointer belongs to this control and no leave comes,
        // so whether it is over the surface is worked out from its position.
        if (event.buttons() != Qt::NoButton)
            setPointerOver(btn_->rect().contains(event.position().toPoint()));
        emit MouseMove(MouseButtonFor(event.buttons()), shift, x, y);
        break;
    }
}

void Lumicap::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitSurface();
    centerCaption();
}

void Lumicap::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!isEnabled())
            releaseButton();
        updateCaptionColor();
        break;
    case QEvent::PaletteChange:
        updateCaptionColor();
        break;
    case QEvent::FontChange:
        lbl_->adjustSize();
        centerCaption();
        break;
    default:
        break;
    }
}

void Lumicap::keyPressEvent(QKeyEvent *event)
{
    if (!userMode_) {
        QWidget::keyPressEvent(event);
        return;
    }
    emit KeyDown(KeyCodeFor(event->key()), ShiftStateFor(event->modifiers()));
    if (!event->text().isEmpty())
        emit KeyPress(short(event->text().at(0).unicode()));
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            spaceHeld_ = true;
            DrawButton(4);
        }
    } else if (isActivationKey(event->key())) {
        if (!event->isAutoRepeat())
            emit Click();
    } else {
        event->ignore(); // so the window still sees keys such as Escape
    }
}

void Lumicap::keyReleaseEvent(QKeyEvent *event)
{
    if (!userMode_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    emit KeyUp(KeyCodeFor(event->key()), ShiftStateFor(event->modifiers()));
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && spaceHeld_) {
        releaseButton();
        emit Click();
    }
}

void Lumicap::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    btn_->SetFocusMark(true);
}

void Lumicap::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    btn_->SetFocusMark(false);
    if (spaceHeld_)
        releaseButton();
}

void Lumicap::fitSurface()
{
    btn_->setGeometry(rect());
    DrawButton(0);
}

void Lumicap::centerCaption() const
{
    lbl_->move(CaptionOrigin(btn_->size(), lbl_->size()));
}

void Lumicap::setCaptionText(const QString &text)
{
    lbl_->setText(text);
    lbl_->adjustSize();
    centerCaption();
    setAccessibleName(text);
}

void Lumicap::updateCaptionColor()
{
    const quint32 ole = ShowsHoverColor(pointerOver_, Enabled(), userMode_) ? mouseOverColor_ : foreColor_;
    const QColor color = OleCaptionColor(ole, palette());
    QPalette captionPalette = lbl_->palette();
    if (captionPalette.color(QPalette::Active, QPalette::WindowText) == color)
        return;
    captionPalette.setColor(QPalette::Active, QPalette::WindowText, color);
    lbl_->setPalette(captionPalette);
}

void Lumicap::setPointerOver(bool over)
{
    pointerOver_ = over;
    updateCaptionColor();
}

void Lumicap::releaseButton()
{
    clickArmed_ = false;
    spaceHeld_ = false;
    DrawButton(0);
}

QFont Lumicap::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}
