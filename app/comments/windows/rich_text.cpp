#include "comments/windows/rich_text.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

bool hasAttribute(const QTextCharFormat &format, TextAttribute attribute)
{
    switch (attribute) {
    case TextAttribute::Bold:
        return format.fontWeight() > QFont::Normal;
    case TextAttribute::Underline:
        return format.fontUnderline();
    case TextAttribute::Italic:
        return format.fontItalic();
    }
    return false;
}

} // namespace

void ShowComment(QTextEdit *box, const QString &stored)
{
    if (Qt::mightBeRichText(stored))
        box->setHtml(stored);
    else
        box->setPlainText(stored);
}

QString PlainTextOfComment(const QString &stored)
{
    QTextDocument document;
    if (Qt::mightBeRichText(stored))
        document.setHtml(stored);
    else
        document.setPlainText(stored);
    return document.toPlainText();
}

AttributeState SelectionAttribute(const QTextEdit *box, TextAttribute attribute)
{
    const QTextCursor selection = box->textCursor();
    if (!selection.hasSelection())
        return hasAttribute(box->currentCharFormat(), attribute) ? AttributeState::Everywhere
                                                                  : AttributeState::Nowhere;
    bool with = false;
    bool without = false;
    QTextCursor cursor(box->document());
    for (int position = selection.selectionStart(); position < selection.selectionEnd(); ++position) {
        cursor.setPosition(position + 1);
        // A paragraph break carries no character format of its own.
        if (box->document()->characterAt(position) == QChar::ParagraphSeparator)
            continue;
        (hasAttribute(cursor.charFormat(), attribute) ? with : without) = true;
    }
    if (with && without)
        return AttributeState::Mixed;
    return with ? AttributeState::Everywhere : AttributeState::Nowhere;
}

void SetSelectionAttribute(QTextEdit *box, TextAttribute attribute, bool on)
{
    QTextCharFormat format;
    switch (attribute) {
    case TextAttribute::Bold:
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        break;
    case TextAttribute::Underline:
        format.setFontUnderline(on);
        break;
    case TextAttribute::Italic:
        format.setFontItalic(on);
        break;
    }
    box->mergeCurrentCharFormat(format);
}
