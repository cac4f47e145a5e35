#include "lumicap_parts.h"

#include "lumicap_drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kFramePen = 2;
constexpr int kFocusMarkInset = 4;

} // namespace

LumicapSurface::LumicapSurface(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("btn"));
    setBackgroundRole(QPalette::Button);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LumicapSurface::SetSunken(bool sunken)
{
    sunken_ = sunken;
    update();
}

void LumicapSurface::SetFocusMark(bool shown)
{
    if (focusMark_ == shown)
        return;
    focusMark_ = shown;
    update();
}

void LumicapSurface::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    // Work in device pixels: whole-pixel rectangles there never blur.
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const QSize device(qRound(width() * ratio), qRound(height() * ratio));
    // The active colours also when disabled: a disabled button looks like an enabled one.
    painter.fillRect(QRect(QPoint(0, 0), device), palette().color(QPalette::Active, backgroundRole()));
    for (const FrameLine &line : FrameLines(device, qRound(kFramePen * ratio), sunken_))
        painter.fillRect(line.rect, line.color);
    if (focusMark_) {
        const int inset = qRound(kFocusMarkInset * ratio);
        painter.setPen(QPen(palette().color(QPalette::ButtonText), qMax(1, qRound(ratio)), Qt::DotLine));
        painter.drawRect(QRect(QPoint(0, 0), device).adjusted(inset, inset, -inset - 1, -inset - 1));
    }
}

void LumicapSurface::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void LumicapSurface::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void LumicapSurface::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void LumicapSurface::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

LumicapCaption::LumicapCaption(QWidget *parent)
    : QLabel(QStringLiteral("Label1"), parent)
{
    setObjectName(QStringLiteral("lbl"));
    setTextFormat(Qt::PlainText);
    // A press on the caption is a press on the surface beneath it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LumicapCaption::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Active, QPalette::WindowText));
    painter.drawText(contentsRect(), int(alignment()), text());
}
