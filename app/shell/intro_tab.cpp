#include "shell/intro_tab.h"

#include "shell/accessible_names.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {

// "About" and "Help" look like links and act like buttons (also for assistive tools).
QPushButton *linkButton(const QString &text, const char *name, QWidget *parent)
{
    auto *link = new QPushButton(text, parent);
    link->setObjectName(QLatin1String(name));
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::ButtonText, palette.color(QPalette::Link));
    link->setPalette(palette);
    return link;
}

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

    auto *about = linkButton(QStringLiteral("About"), "LabelAbout(0)", this);
    NameControl(about, QStringLiteral("About"), QStringLiteral("About Shelvana"));
    auto *help = linkButton(QStringLiteral("Help"), "LabelAbout(1)", this);
    NameControl(help, QStringLiteral("Help"), QStringLiteral("How to use Shelvana"));
    auto *version = new QLabel(QStringLiteral("v2.5"), this);
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
