#include "pdf_information.h"

#include <QObject>

#include <poppler-qt6.h>

#include <memory>

namespace {

// A damaged book is normal here: Poppler's complaints about it are not the user's business.
void Silence(const QString &, const QVariant &) {}

} // namespace

class PopplerInformation final : public QObject, public PdfInformation
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SHELVANA_PDF_INFORMATION_IID)
    Q_INTERFACES(PdfInformation)

public:
    PopplerInformation() { Poppler::setDebugErrorFunction(Silence, QVariant()); }

    std::optional<Fields> read(QIODevice &file) override
    {
        const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(&file);
        if (!document || document->isLocked())
            return std::nullopt;
        return Fields{document->info(QStringLiteral("Author")), document->info(QStringLiteral("Title"))};
    }
};

#include "poppler_information.moc"
