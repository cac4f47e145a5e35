#include "comments/windows/rich_text.h"

#include "comments/text/comment_text.h"

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

// Text layout is quick up to runs of some thousand characters without a break, and grows far
// faster than the run beyond.
constexpr qsizetype kLongestQuickRun = 10000;
constexpr qsizetype kPreviewLine = 4096;

} // namespace

void ShowComment(QTextEdit *box, const QString &stored)
{
    if (Qt::mightBeRichText(stored))
        box->setHtml(stored);
    else
        box->setPlainText(stored);
}

std::optional<QString> LongCommentPreview(const QString &stored)
{
    if (stored.size() <= kLongestQuickRun)
        return std::nullopt;
    const QString plain = PlainTextOfComment(stored);
    QString lines;
    qsizetype run = 0;
    qsizetype longest = 0;
    for (const QChar c : plain) {
        run = c.isSpace() ? 0 : run + 1;
        longest = std::max(longest, run);
        if (run > 1 && run % kPreviewLine == 1)
            lines += QLatin1Char('\n');
        lines += c;
    }
    if (longest <= kLongestQuickRun)
        return std::nullopt;
    return QStringLiteral("[This comment of %L1 characters holds text without spaces too long to show as it is. "
                          "It is shown here read-only, in paragraphs of %L2 characters; the stored comment "
                          "stays as it is.]\n\n")
               .arg(plain.size())
               .arg(kPreviewLine)
           + lines;
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
