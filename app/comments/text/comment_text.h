#pragma once

#include <QString>

// The comment's text without formatting: a stored comment is a rich-text document, or plain
// text as it is.
QString PlainTextOfComment(const QString &stored);
