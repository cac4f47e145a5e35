#include "comments/text/comment_text.h"

#include <QTextDocument>

QString PlainTextOfComment(const QString &stored)
{
    QTextDocument document;
    if (Qt::mightBeRichText(stored))
        document.setHtml(stored);
    else
        document.setPlainText(stored);
    return document.toPlainText();
}
