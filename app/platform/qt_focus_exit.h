#pragma once

class QWidget;

// For a control that keeps Tab for itself (a grid moves between its cells with it, a text box
// types it): Ctrl+Tab and Ctrl+Shift+Tab move the focus on to the next or previous control, as
// Tab does elsewhere, so that the keyboard alone can always leave it.
void LetCtrlTabLeave(QWidget *control);
