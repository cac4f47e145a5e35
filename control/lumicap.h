#pragma once

#include "control_factory.h"

#include <QFont>
#include <QVariant>
#include <QWidget>

class LumicapCaption;
class LumicapSurface;

// The hover button: a flat, self-drawn button with a 3-D frame and a centred caption
// whose colour changes while the pointer is over it. Every write of a property tells
// the host through PropertyChanged, with the property's name.
class Lumicap final : public QWidget, public HostedControl
{
    Q_OBJECT
    Q_INTERFACES(HostedControl)
    Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(uint MouseOverColor READ MouseOverColor WRITE SetMouseOverColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(short BackStyle READ BackStyle WRITE SetBackStyle)
    Q_PROPERTY(short BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE SetToolTipText)

public:
    explicit Lumicap(QWidget *parent = nullptr);

    // Frame raised, caption centred, caption colour brought up to date.
    Q_INVOKABLE void Refresh();
    // Draws the frame: 0 raised, any other value sunken. The result is always empty.
    Q_INVOKABLE QVariant DrawButton(short Style3D);
    // Raises Click as a press of the button would: only when enabled and running.
    Q_INVOKABLE void PerformClick();

    // Colours are stored as given (0x00BBGGRR, or 0x800000nn for system colour nn).
    uint BackColor() const { return backColor_; }
    void SetBackColor(uint color);
    uint ForeColor() const { return foreColor_; }
    void SetForeColor(uint color);
    uint MouseOverColor() const { return mouseOverColor_; }
    void SetMouseOverColor(uint color);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    QFont Font() const;
    void SetFont(const QFont &font);
    short BackStyle() const { return backStyle_; }
    void SetBackStyle(short style);
    short BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(short style);
    // Reading also re-centres the caption, as its font may have changed since.
    QString Caption() const;
    void SetCaption(const QString &caption);
    QString ToolTipText() const;
    void SetToolTipText(const QString &text);

    void InitProperties() override;
    void ReadProperties(const PropertyBag &bag) override;
    void WriteProperties(PropertyBag &bag) const override;
    void SetUserMode(bool userMode) override;

    QSize sizeHint() const override;

signals:
    void PropertyChanged(const QString &propertyName);
    void Click();
    void DblClick();
    void KeyDown(short KeyCode, short Shift);
    void KeyPress(short KeyAscii);
    void KeyUp(short KeyCode, short Shift);
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void fitSurface();
    void centerCaption() const;
    void setCaptionText(const QString &text);
    void updateCaptionColor();
    void setPointerOver(bool over);
    void releaseButton();
    QFont ambientFont() const;
    void handleMouse(const QMouseEvent &event);

    LumicapSurface *btn_;
    LumicapCaption *lbl_;
    quint32 backColor_;
    quint32 foreColor_;
    quint32 mouseOverColor_;
    qint16 backStyle_ = 0;
    qint16 borderStyle_ = 0;
    bool userMode_ = true;
    bool pointerOver_ = false;
    bool clickArmed_ = false;
    bool spaceHeld_ = false;
};
