#pragma once

#include "comments/font_options.h"

#include <QString>

#include <optional>

class QTextEdit;

// What the comment boxes need of a rich-text editor, beyond QTextEdit itself.

// Shows a stored comment: a rich-text document, or plain text as it is.
void ShowComment(QTextEdit *box, const QString &stored);

// A comment with a run of characters too long to lay out quickly (pasted data, a base64
// blob: minutes for a megabyte without a space) is not shown as it is: this is what the box
// shows instead, read-only: a note and the plain text in paragraphs short enough to lay out.
// Empty for every other comment.
std::optional<QString> LongCommentPreview(const QString &stored);

enum class TextAttribute { Bold, Underline, Italic };
// Whether the selection has the attribute nowhere, in part or throughout (the insertion
// point's format when nothing is selected).
AttributeState SelectionAttribute(const QTextEdit *box, TextAttribute attribute);
void SetSelectionAttribute(QTextEdit *box, TextAttribute attribute, bool on);
