#pragma once

// The baseline of the main-window benchmarks: a bare Qt program showing a window with a
// four-tab strip and as many plain push buttons as the main window has hover buttons.
#include "common/desktop_process.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

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

// The two programs measured: this benchmark as the baseline ("--bare"), and the program.
inline QString BaselineProgram()
{
    return QCoreApplication::applicationFilePath();
}

inline QString MainProgram()
{
    return BuildFolder() + QStringLiteral("/shelvana");
}

// A folder the program starts in as a user's would: a comment database, and the settings
// when given.
inline void PrepareProgramFolder(const QTemporaryDir &folder, const QByteArray &settings)
{
    QFile::copy(BuildFolder() + QStringLiteral("/db25.mdb"), folder.filePath(QStringLiteral("db25.mdb")));
    QFile file(folder.filePath(QStringLiteral("Path.txt")));
    if (!settings.isEmpty() && file.open(QIODevice::WriteOnly))
        file.write(settings);
}

// The frame of a desktop benchmark. With "--bare" this process is the baseline program and
// runs it to its end. Otherwise it makes sure there is a display, prepares a program folder
// (with the settings, when given) and measures there, given the benchmark's first argument
// as a number (or the fallback).
inline int RunDesktopBench(int argc, char **argv, int (*baseline)(int, char **), double fallback,
                           const QByteArray &settings,
                           const std::function<int(const QString &folder, double argument)> &measure)
{
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return baseline(argc, argv);
    RunUnderXvfbIfNeeded(argc, argv);
    QCoreApplication app(argc, argv);
    bool ok = false;
    const double argument = argc > 1 ? QByteArray(argv[1]).toDouble(&ok) : 0.0;
    QTemporaryDir folder;
    PrepareProgramFolder(folder, settings);
    return measure(folder.path(), ok && argument > 0 ? argument : fallback);
}
