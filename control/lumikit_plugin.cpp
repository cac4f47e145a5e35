#include "lumikit_plugin.h"

#include "lumicap.h"
#include "lumicap_accessible.h"

#include <QAccessible>
#include <QCoreApplication>

namespace {

const QString kLumicapIdentifier = QStringLiteral("Lumikit.Lumicap");

} // namespace

LumikitPlugin::LumikitPlugin()
{
    QAccessible::installFactory(LumicapAccessibleFactory);
}

LumikitPlugin::~LumikitPlugin()
{
    // At program exit the application and the factory list are gone before this library.
    if (QCoreApplication::instance())
        QAccessible::removeFactory(LumicapAccessibleFactory);
}

QWidget *LumikitPlugin::CreateControl(const QString &identifier, QWidget *parent, QString *error)
{
    // Programmatic identifiers, like the registry keys they come from, ignore case.
    if (identifier.compare(kLumicapIdentifier, Qt::CaseInsensitive) == 0)
        return new Lumicap(parent);
    if (error) {
        *error = QStringLiteral("The control library Lumikit has no control \"%1\"; it offers \"%2\".")
                     .arg(identifier, kLumicapIdentifier);
    }
    return nullptr;
}
