#pragma once

// The baseline of the main-window benchmarks: a bare Qt program showing a window with a
// four-tab strip and as many plain push buttons as the main window has hover buttons.
#include <QApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

inline constexpr int kMainWindowButtons = 12;

inline int RunBareWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTabWidget tabs;
    tabs.setWindowTitle(QStringLiteral("Bare"));
    const char *captions[] = {"Intro", "Utilities", "Comments", "Config"};
    QVBoxLayout *pages[4];
    for (int i = 0; i < 4; ++i) {
        auto *page = new QWidget;
        pages[i] = new QVBoxLayout(page);
        tabs.addTab(page, QLatin1String(captions[i]));
    }
    for (int i = 0; i < kMainWindowButtons; ++i)
        pages[1 + i % 3]->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i + 1)));
    tabs.show();
    return app.exec();
}

// Where the program and its files are: the build folder.
inline QString BuildFolder()
{
    return qEnvironmentVariableIsSet("SHELVANA_BUILD_DIR") ? qEnvironmentVariable("SHELVANA_BUILD_DIR")
                                                           : QStringLiteral(SHELVANA_BUILD_DIR);
}
