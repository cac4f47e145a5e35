#pragma once

#include <QLabel>
#include <QWidget>

// The two inner parts of the hover button.

// The drawing surface `btn` of the hover button: fills the control and carries the 3-D
// frame, drawn on the device's own pixels so that it stays crisp at any scale. What a
// press or the pointer does is decided by the control, which watches this surface.
class LumicapSurface final : public QWidget
{
public:
    explicit LumicapSurface(QWidget *parent);

    void SetSunken(bool sunken);
    // A dotted mark inside the frame while the control has keyboard focus.
    void SetFocusMark(bool shown);

protected:
    void paintEvent(QPaintEvent *event) override;
    // Mouse input is taken here, so it does not travel on to the window behind.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool sunken_ = false;
    bool focusMark_ = false;
};

// The caption label `lbl`: sizes itself to its text and font, and draws its text in its
// own colour also while the button is disabled, where a plain label would grey it.
class LumicapCaption final : public QLabel
{
public:
    explicit LumicapCaption(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
