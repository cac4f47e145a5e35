#pragma once

#include <QWidget>

// "Intro": the banner, the version, and the About and Help links.
class IntroTab : public QWidget
{
    Q_OBJECT

public:
    // bannerPath: the 600 x 200 banner shipped beside the program.
    explicit IntroTab(const QString &bannerPath, QWidget *parent = nullptr);

signals:
    void aboutClicked();
    void helpClicked();
};
