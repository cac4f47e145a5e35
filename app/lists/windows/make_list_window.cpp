#include "lists/windows/make_list_window.h"

#include "lists/list_run_report.h"
#include "platform/file_system_lister.h"
#include "platform/qt_command_button.h"
#include "platform/qt_shell.h"
#include "shell/sound_cues.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel *countField(const char *name, const QString &accessibleName, const QString &toolTip)
{
    auto *label = new QLabel(QStringLiteral("0"));
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(accessibleName);
    label->setToolTip(toolTip);
    // Room for a seven-digit count at any scale.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

MakeListWindow::MakeListWindow(const Settings &settings, SoundPlayer &sound, QtControlLoader *controls,
                               const QString &scriptPath, QWidget *parent)
    : QWidget(parent, Qt::Window),
      settings_(settings),
      scriptPath_(scriptPath),
      listerFactory_([] { return std::make_unique<FileSystemLister>(); }),
      ownShell_(std::make_unique<QtShell>()),
      shell_(ownShell_.get())
{
    setObjectName(QStringLiteral("MakeList"));
    setWindowTitle(QStringLiteral("Make Book List"));
    if (QApplication::windowIcon().isNull())
        setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls(controls);
    worker_.setForwardLimit(kVisibleFoundFiles);
    connect(&worker_, &ListRunWorker::progressed, this, &MakeListWindow::showProgress);
    connect(&worker_, &ListRunWorker::finished, this, &MakeListWindow::showResult);

    done_->hide();
    PlayCue(settings_, sound, QStringLiteral("flubflip.wav"));
    startTrigger_->start();
}

MakeListWindow::~MakeListWindow() = default;

void MakeListWindow::buildControls(QtControlLoader *controls)
{
    auto *stats = new QGroupBox(QStringLiteral("Stats"), this);
    stats->setObjectName(QStringLiteral("Frame1"));
    auto *statsLayout = new QGridLayout(stats);
    filesCount_ = countField("Label1", QStringLiteral("Files"), QStringLiteral("Files found so far"));
    directoriesCount_ =
        countField("Label4", QStringLiteral("Directories"), QStringLiteral("Directories found so far"));
    statsLayout->addWidget(new QLabel(QStringLiteral("Files:")), 0, 0);
    statsLayout->addWidget(filesCount_, 0, 1);
    statsLayout->addWidget(new QLabel(QStringLiteral("Directories:")), 1, 0);
    statsLayout->addWidget(directoriesCount_, 1, 1);

    found_ = new QListWidget(this);
    found_->setObjectName(QStringLiteral("List3"));
    found_->setAccessibleName(QStringLiteral("Files found"));
    found_->setToolTip(QStringLiteral("The files found so far; scroll up to stop following the run"));
    found_->setUniformItemSizes(true);
    followNewestFiles();
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("MyBar"));
    bar_->setAccessibleName(QStringLiteral("Activity"));
    bar_->setToolTip(QStringLiteral("Moves while the lists are being made"));
    bar_->setTextVisible(false);
    bar_->setRange(0, 0); // busy: how long a walk takes cannot be known beforehand
    bar_->hide();
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusMessage"));
    status_->setAccessibleName(QStringLiteral("Outcome"));
    status_->setToolTip(QStringLiteral("Which lists were written and where; the folder opens from its link"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::RichText);
    status_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    connect(status_, &QLabel::linkActivated, this, &MakeListWindow::openListFolder);
    done_ = CreateCommandButton(controls, QStringLiteral("Done"), QStringLiteral("Close this window"), this,
                                [this] { close(); });
    done_->setObjectName(QStringLiteral("ExitNow"));
    done_->setAccessibleName(QStringLiteral("Done"));

    auto *right = new QVBoxLayout;
    right->addWidget(found_, 1);
    right->addWidget(bar_);
    right->addWidget(status_);
    right->addWidget(done_, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(stats, 0, Qt::AlignTop);
    layout->addLayout(right, 1);
    resize(720, 520);

    startTrigger_ = new QTimer(this);
    startTrigger_->setObjectName(QStringLiteral("Timer2"));
    startTrigger_->setSingleShot(true);
    startTrigger_->setInterval(500);
    connect(startTrigger_, &QTimer::timeout, this, &MakeListWindow::startRun);
}

void MakeListWindow::startRun()
{
    showTotals(0, 0);
    bar_->show();
    inputs_ = ListRunInputs::fromSettings(settings_);
    worker_.start(inputs_, scriptPath_, listerFactory_());
}

void MakeListWindow::followNewestFiles()
{
    // The list keeps its newest file in view while its scroll bar is at the end; a user
    // who scrolls up to read stays there, and scrolling back to the end follows again.
    QScrollBar *scroll = found_->verticalScrollBar();
    connect(scroll, &QScrollBar::valueChanged, this, [this, scroll](int value) {
        following_ = value == scroll->maximum();
    });
    connect(scroll, &QScrollBar::rangeChanged, this, [this, scroll](int, int maximum) {
        if (following_)
            scroll->setValue(maximum);
    });
}

void MakeListWindow::showProgress(const QStringList &paths, qint32 files, qint32 directories)
{
    found_->addItems(paths); // the worker hands back no more than the list shows
    showTotals(files, directories);
}

void MakeListWindow::showTotals(qint32 files, qint32 directories)
{
    filesCount_->setText(QString::number(files));
    directoriesCount_->setText(QString::number(directories));
}

void MakeListWindow::showResult(const ListRunResult &result)
{
    showTotals(result.files, result.directories);
    bar_->hide();
    const ListRunOutcome outcome = DescribeListRun(inputs_, result);
    listFolder_ = outcome.folder;
    QString text = outcome.before.toHtmlEscaped();
    if (!outcome.folder.isEmpty()) {
        text += QStringLiteral("<a href=\"%1\">%2</a>")
                    .arg(QUrl::fromLocalFile(outcome.folder).toString(QUrl::FullyEncoded).toHtmlEscaped(),
                         outcome.folder.toHtmlEscaped());
    }
    text += outcome.after.toHtmlEscaped();
    if (result.files > kVisibleFoundFiles)
        text += QStringLiteral("<br>The list above shows the first %1 files found.").arg(kVisibleFoundFiles);
    status_->setText(text);
    done_->show();
}

void MakeListWindow::openListFolder()
{
    shell_->openUrl(QUrl::fromLocalFile(listFolder_));
}

void MakeListWindow::closeEvent(QCloseEvent *event)
{
    worker_.cancel();
    event->accept();
}
