#pragma once

#include <QString>
#include <QtPlugin>

#include <optional>

class QIODevice;

// The document information of a PDF, read through Poppler in a plugin of its own: Poppler and
// the two dozen libraries it pulls in load with the first PDF instead of with the program.
class PdfInformation
{
public:
    struct Fields
    {
        QString author;
        QString title;
    };

    virtual ~PdfInformation() = default;
    // Author and Title as the document states them; nothing for a locked (password) or
    // unreadable document. Poppler is done with the file when this returns.
    virtual std::optional<Fields> read(QIODevice &file) = 0;
};

#define SHELVANA_PDF_INFORMATION_IID "org.shelvana.PdfInformation/1.0"
Q_DECLARE_INTERFACE(PdfInformation, SHELVANA_PDF_INFORMATION_IID)
