#pragma once

#include "comments/font_options.h"
#include "comments/windows/rich_text.h"

#include <QLabel>
#include <QWidget>

#include <functional>

class QComboBox;
class QRadioButton;
class QTextCharFormat;
class QTextEdit;
class QtControlLoader;

// A colour swatch (or the "Font" caption label, which acts like one): a click gives its
// background colour.
class SwatchLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
    QColor colour() const { return palette().color(backgroundRole()); }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// FontOptions, "Font Menu": kept above other windows; applies a font, a size, bold,
// underline, italic, a text colour or a background colour to the comment box that
// `target` names at each command. Closing it deletes it.
class FontOptionsWindow : public QWidget
{
    Q_OBJECT

public:
    FontOptionsWindow(std::function<QTextEdit *()> target, QtControlLoader *controls, QWidget *parent = nullptr);

    QComboBox *fontNames() const { return names_; }
    QComboBox *fontSizes() const { return sizes_; }
    // Label1: index 0 is the "Font" caption, 1 to 32 the swatches.
    SwatchLabel *label(int index) const { return labels_.value(index); }
    QRadioButton *backColorOption() const { return backColor_; }

    // RTFEdit: 0 Bold, 1 Underline, 2 Italic.
    void rtfEdit(int index);
    void swatchClicked(const QColor &colour);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyFontName(const QString &name);
    void applyFontSize(const QString &size);
    void applyFormat(const QTextCharFormat &format);
    QWidget *makeSwatchBox();

    std::function<QTextEdit *()> target_;
    QComboBox *names_;
    QComboBox *sizes_;
    QRadioButton *foreColor_;
    QRadioButton *backColor_;
    QList<SwatchLabel *> labels_;
};
