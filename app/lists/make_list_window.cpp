#include "lists/make_list_window.h"

#include "platform/qt_command_button.h"
#include "shell/sound_cues.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel *countField(const char *name)
{
    auto *label = new QLabel(QStringLiteral("0"));
    label->setObjectName(QLatin1String(name));
    label->setMinimumWidth(70);
    return label;
}

QString skippedMessage(int skipped)
{
    if (skipped == 0)
        return {};
    return skipped == 1 ? QStringLiteral("1 directory could not be read and was skipped.")
                        : QStringLiteral("%1 directories could not be read and were skipped.").arg(skipped);
}

} // namespace

MakeListWindow::MakeListWindow(const Settings &settings, SoundPlayer &sound, QtControlLoader *controls,
                               const QString &scriptPath, QWidget *parent)
    : QWidget(parent, Qt::Window), settings_(settings), scriptPath_(scriptPath)
{
    setObjectName(QStringLiteral("MakeList"));
    setWindowTitle(QStringLiteral("Make Book List"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls(controls);
    worker_.setForwardLimit(kVisibleFoundFiles);
    connect(&worker_, &ListRunWorker::filesFound, this, &MakeListWindow::showFound);
    connect(&worker_, &ListRunWorker::finished, this, &MakeListWindow::showResult);

    done_->hide();
    PlayCue(settings_, sound, QStringLiteral("flubflip.wav"));
    startTrigger_->start();
}

void MakeListWindow::buildControls(QtControlLoader *controls)
{
    auto *stats = new QGroupBox(QStringLiteral("Stats"));
    stats->setObjectName(QStringLiteral("Frame1"));
    auto *statsLayout = new QGridLayout(stats);
    filesCount_ = countField("Label1");
    directoriesCount_ = countField("Label4");
    statsLayout->addWidget(new QLabel(QStringLiteral("Files:")), 0, 0);
    statsLayout->addWidget(filesCount_, 0, 1);
    statsLayout->addWidget(new QLabel(QStringLiteral("Directories:")), 1, 0);
    statsLayout->addWidget(directoriesCount_, 1, 1);

    found_ = new QListWidget;
    found_->setObjectName(QStringLiteral("List3"));
    found_->setUniformItemSizes(true);
    bar_ = new QProgressBar;
    bar_->setObjectName(QStringLiteral("MyBar"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("StatusMessage"));
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    done_ = CreateCommandButton(controls, QStringLiteral("Done"), QString(), this, [this] { close(); });
    done_->setObjectName(QStringLiteral("ExitNow"));

    auto *right = new QVBoxLayout;
    right->addWidget(found_, 1);
    right->addWidget(bar_);
    right->addWidget(status_);
    right->addWidget(done_, 0, Qt::AlignRight);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(stats, 0, Qt::AlignTop);
    layout->addLayout(right, 1);
    resize(616, 240);

    startTrigger_ = new QTimer(this);
    startTrigger_->setObjectName(QStringLiteral("Timer2"));
    startTrigger_->setSingleShot(true);
    startTrigger_->setInterval(500);
    connect(startTrigger_, &QTimer::timeout, this, &MakeListWindow::startRun);
    activityTimer_ = new QTimer(this);
    activityTimer_->setObjectName(QStringLiteral("Timer1"));
    activityTimer_->setInterval(100);
    connect(activityTimer_, &QTimer::timeout, this, &MakeListWindow::tickActivity);
}

void MakeListWindow::startRun()
{
    filesCount_->setText(QStringLiteral("0"));
    directoriesCount_->setText(QStringLiteral("0"));
    activityTimer_->start();
    worker_.start(ListRunInputs::fromSettings(settings_), scriptPath_);
}

void MakeListWindow::tickActivity()
{
    activity_ += 10;
    bar_->setValue(activity_);
    if (activity_ >= 100)
        activity_ = 0;
}

void MakeListWindow::showFound(const QStringList &paths)
{
    found_->addItems(paths); // the worker hands back no more than the list shows
}

void MakeListWindow::showResult(const ListRunResult &result)
{
    directoriesCount_->setText(QString::number(result.directories));
    filesCount_->setText(QString::number(result.files));
    finishRun(result.error.isEmpty() ? skippedMessage(result.skippedDirectories) : result.error);
}

void MakeListWindow::finishRun(const QString &message)
{
    activityTimer_->stop();
    bar_->setValue(0);
    status_->setText(message);
    done_->show();
}

void MakeListWindow::closeEvent(QCloseEvent *event)
{
    worker_.cancel();
    event->accept();
}
