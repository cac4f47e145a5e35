#include "shell/intro_tab.h"

#include "shell/accessible_names.h"
#include "version.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

// "About" and "Help" look like links and act like buttons (also for assistive tools). Their
// text takes the palette's link colour again whenever the palette changes (a theme switch).
class LinkButton final : public QPushButton
{
public:
    LinkButton(const QString &text, const char *name, QWidget *parent)
        : QPushButton(text, parent)
    {
        setObjectName(QLatin1String(name));
        setFlat(true);
        setCursor(Qt::PointingHandCursor);
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
        followLinkColour();
    }

protected:
    void changeEvent(QEvent *event) override
    {
        QPushButton::changeEvent(event);
        if (event->type() == QEvent::PaletteChange)
            followLinkColour();
    }

private:
    void followLinkColour()
    {
        QPalette linked = palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            linked.setColor(group, QPalette::ButtonText, linked.color(group, QPalette::Link));
        if (linked != palette()) // setting it changes the palette once more
            setPalette(linked);
    }
};

} // namespace

IntroTab::IntroTab(const QString &bannerPath, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("IntroTab"));
    auto *banner = new QLabel(this);
    banner->setObjectName(QStringLiteral("Image1"));
    banner->setFixedSize(600, 200);
    QPalette black = banner->palette();
    black.setColor(QPalette::Window, Qt::black);
    banner->setPalette(black);
    banner->setAutoFillBackground(true);
    banner->setPixmap(QPixmap(bannerPath));
    NameControl(banner, QStringLiteral("Shelvana"));

    auto *about = new LinkButton(QStringLiteral("About"), "LabelAbout(0)", this);
    NameControl(about, QStringLiteral("About"), QStringLiteral("About Shelvana"));
    auto *help = new LinkButton(QStringLiteral("Help"), "LabelAbout(1)", this);
    NameControl(help, QStringLiteral("Help"), QStringLiteral("How to use Shelvana"));
    auto *version = new QLabel(QStringLiteral("v" SHELVANA_VERSION), this);
    version->setObjectName(QStringLiteral("Label6"));
    connect(about, &QPushButton::clicked, this, &IntroTab::aboutClicked);
    connect(help, &QPushButton::clicked, this, &IntroTab::helpClicked);

    auto *layout = new QGridLayout(this);
    layout->addWidget(banner, 0, 0, 1, 4, Qt::AlignCenter);
    layout->addWidget(about, 1, 0, Qt::AlignLeft);
    layout->addWidget(help, 1, 1, Qt::AlignLeft);
    layout->addWidget(version, 1, 3, Qt::AlignRight);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);
}
