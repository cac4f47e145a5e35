#include "platform/qt_control_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QPluginLoader>
#include <QWidget>

namespace {

const QString kLibraryName = QStringLiteral("lumikit");

// Runs a handler from a string-based connection, since the control's signals are only
// known to the host by name.
class ClickRelay final : public QObject
{
    Q_OBJECT

public:
    ClickRelay(QObject *parent, std::function<void()> handler)
        : QObject(parent)
        , handler_(std::move(handler))
    {
    }

public slots:
    void relay() { handler_(); }

private:
    std::function<void()> handler_;
};

} // namespace

QtControlLoader::QtControlLoader(const QString &directory)
    : directory_(directory.isEmpty() ? QCoreApplication::applicationDirPath() : directory)
{
}

bool QtControlLoader::load()
{
    if (factory_)
        return true;
    // The library stays loaded for the rest of the run: controls made from it may
    // outlive this loader.
    QPluginLoader plugin(QDir(directory_).filePath(kLibraryName));
    QObject *instance = plugin.instance();
    if (!instance) {
        errorText_ = QStringLiteral("The control library \"%1\" could not be loaded from %2: %3")
                         .arg(kLibraryName, QDir::toNativeSeparators(directory_), plugin.errorString());
        return false;
    }
    factory_ = qobject_cast<ControlFactory *>(instance);
    if (!factory_) {
        errorText_ = QStringLiteral("The file %1 is not the control library this program needs.")
                         .arg(QDir::toNativeSeparators(plugin.fileName()));
        return false;
    }
    errorText_.clear();
    return true;
}

QWidget *QtControlLoader::createControl(const QString &identifier, QWidget *parent)
{
    QWidget *control = create(identifier, parent);
    if (HostedControl *host = hosted(control))
        host->InitProperties();
    return control;
}

QWidget *QtControlLoader::loadControl(const QString &identifier, const PropertyBag &saved, QWidget *parent)
{
    QWidget *control = create(identifier, parent);
    if (HostedControl *host = hosted(control))
        host->ReadProperties(saved);
    return control;
}

QWidget *QtControlLoader::create(const QString &identifier, QWidget *parent)
{
    if (!load())
        return nullptr;
    QString error;
    QWidget *control = factory_->CreateControl(identifier, parent, &error);
    errorText_ = control ? QString() : error;
    return control;
}

HostedControl *QtControlLoader::hosted(QWidget *control)
{
    return qobject_cast<HostedControl *>(control);
}

PropertyBag QtControlLoader::saveControl(QWidget *control)
{
    PropertyBag bag;
    if (HostedControl *host = hosted(control))
        host->WriteProperties(bag);
    return bag;
}

bool QtControlLoader::onClick(QWidget *control, std::function<void()> handler)
{
    if (!control || control->metaObject()->indexOfSignal("Click()") < 0)
        return false;
    auto *relay = new ClickRelay(control, std::move(handler));
    return QObject::connect(control, SIGNAL(Click()), relay, SLOT(relay()));
}

#include "qt_control_loader.moc"
