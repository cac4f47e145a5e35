#include "shell/main_window.h"

#include "base/program_files.h"
#include "base/settings_file.h"
#include "comments/windows/comment_windows.h"
#include "comments/windows/comments_tab.h"
#include "lists/windows/make_list_window.h"
#include "names/clipboard_files.h"
#include "platform/clipboard.h"
#include "platform/qt_button_table.h"
#include "shell/book_drop.h"
#include "platform/sound_player.h"
#include "shell/browser_links.h"
#include "shell/config_tab.h"
#include "shell/desktop.h"
#include "shell/intro_tab.h"
#include "shell/sound_cues.h"
#include "shell/user_links_file.h"
#include "shell/utilities_tab.h"
#include "version.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kSettingsFile = QString::fromLatin1(kSettingsFileName);

// The clipboard poll of desktops that do not report clipboard changes: a copied file shows
// within this time.
constexpr int kClipboardPollMs = 150;

// The Comments tab's element of Lumicap1, the Exit buttons, one on each tab.
constexpr int kExitOnComments = 1;

QList<SavedButton> commentsButtonTable()
{
    return {CommandButtonRow("Lumicap1", kExitOnComments, "Exit")};
}

} // namespace

MainWindow::MainWindow(Desktop &desktop, QtControlLoader *controls, QWidget *parent)
    : QWidget(parent)
    , desktop_(desktop)
    , controls_(controls)
    , launchers_(settings_, desktop)
    , clipboardPoll_(desktop.clipboard)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Shelvana"));
    buildTabs(controls);
    // Said once, under the tabs: a box at every cue would interrupt the work.
    desktop.sound.onProblem([hint = QPointer<QLabel>(firstStartHint_)](const QString &problem) {
        if (hint) {
            hint->setText(problem);
            hint->show();
        }
    });
    commentWindows_ = new CommentWindows(comments_,
                                         {desktop.dialogs, desktop.directories, desktop.databases, controls,
                                          [this] { return utilities_->fileInfo(); }, {}},
                                         this);
    commentsArea_->addWidget(commentWindows_->commentsTab());
    comments_.open(); // without the file the Comments tab says why; the analysis stays grey
    new BookDrop(this, [this](const QString &path) { analyseDroppedFile(path); });

    StartUp(*this);
    // Reaching the desktop's clipboard takes a while: the window shows first.
    QTimer::singleShot(0, this, &MainWindow::watchClipboard);
}

void MainWindow::watchClipboard()
{
    desktop_.clipboard.onChanged(this, [this] { pollClipboard(); });
    // Where the desktop reports no clipboard changes, copied files are found by polling.
    if (!desktop_.clipboard.reportsChanges()) {
        clipboardTimer_ = new QTimer(this);
        clipboardTimer_->setObjectName(QStringLiteral("Timer1"));
        clipboardTimer_->setInterval(kClipboardPollMs);
        connect(clipboardTimer_, &QTimer::timeout, this, &MainWindow::pollClipboard);
        clipboardTimer_->start();
    }
    pollClipboard(); // files copied before the program started
}

MainWindow::~MainWindow()
{
    // The tabs and the comment windows use the settings, the launchers and the comment data
    // held in members, which go before QWidget's own clean-up of the children: the children go
    // first.
    while (!children().isEmpty())
        delete children().constFirst();
}

void MainWindow::buildTabs(QtControlLoader *controls)
{
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    auto *intro = new IntroTab(ProgramFile(QStringLiteral("banner.png")), tabs_);
    connect(intro, &IntroTab::aboutClicked, this, &MainWindow::showAbout);
    connect(intro, &IntroTab::helpClicked, this, &MainWindow::showHelp);
    utilities_ = new UtilitiesTab(launchers_, controls, tabs_);
    connect(utilities_, &UtilitiesTab::makeListClicked, this, &MainWindow::showMakeList);
    connect(utilities_, &UtilitiesTab::exitClicked, this, &MainWindow::close);
    config_ = new ConfigTab(settings_, preferences_, desktop_, launchers_, controls, kSettingsFile, tabs_);
    connect(config_, &ConfigTab::exitClicked, this, &MainWindow::close);
    clipboardPoll_.setLeaveFilesOnClipboard(preferences_.leaveCopiedFiles());
    connect(config_, &ConfigTab::leaveCopiedFilesChanged, this,
            [this](bool leave) { clipboardPoll_.setLeaveFilesOnClipboard(leave); });

    tabs_->addTab(intro, QStringLiteral("Intro"));
    tabs_->addTab(utilities_, QStringLiteral("Utilities"));
    tabs_->addTab(commentsPage(controls), QStringLiteral("Comments"));
    tabs_->addTab(config_, QStringLiteral("Config"));

    firstStartHint_ = new QLabel(QStringLiteral("First start: choose the E-Book Directory and the List Directory on "
                                                "the Config tab, then press \"Save Config\"."),
                                 this);
    firstStartHint_->setObjectName(QStringLiteral("FirstStartHint"));
    firstStartHint_->setWordWrap(true);
    firstStartHint_->hide();
    connect(config_, &ConfigTab::saved, firstStartHint_, &QLabel::hide);
    clipboardHint_ = new QLabel(QStringLiteral("Files copied elsewhere are picked up when Shelvana comes to the front."),
                                this);
    clipboardHint_->setObjectName(QStringLiteral("ClipboardHint"));
    clipboardHint_->setWordWrap(true);
    clipboardHint_->setVisible(desktop_.clipboard.readableOnlyInFront());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(firstStartHint_);
    layout->addWidget(clipboardHint_);
}

QWidget *MainWindow::commentsPage(QtControlLoader *controls)
{
    auto *page = new QWidget(tabs_);
    page->setObjectName(QStringLiteral("CommentsPage"));
    const CommandButtons buttons = MakeCommandButtons(controls, commentsButtonTable(), page,
                                                      {{QStringLiteral("Lumicap1"), [this](int) { close(); }}});
    commentsArea_ = new QVBoxLayout;
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(commentsArea_, 1);
    layout->addWidget(buttons.at(QStringLiteral("Lumicap1"), kExitOnComments), 0, Qt::AlignRight | Qt::AlignBottom);
    return page;
}

void MainWindow::pollClipboard()
{
    const auto show = [this](const FileInfo &info) { utilities_->showFileInfo(info); };
    QString book;
    if (clipboardPoll_.poll(utilities_->fileInfo(), commentWindows_->commentsTab(), show, &book)) {
        utilities_->readBook(book);
        emit fileAnalysed();
    }
}

// A dropped book is analysed as a copied one would be, and the clipboard is left alone.
void MainWindow::analyseDroppedFile(const QString &path)
{
    const Analysis analysis = ExtrapolateAuthorTitle(path, utilities_->fileInfo(), commentWindows_->commentsTab());
    if (!analysis.emptyClipboard)
        return;
    utilities_->showFileInfo(analysis.info);
    utilities_->readBook(path);
    emit fileAnalysed();
}

void MainWindow::changeEvent(QEvent *event)
{
    // Some desktops tell only the window in front about clipboard changes (Wayland), and
    // some tell nothing: look again whenever the user comes back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        pollClipboard();
    QWidget::changeEvent(event);
}

void MainWindow::showMakeList()
{
    if (makeList_) {
        makeList_->raise();
        makeList_->activateWindow();
        return;
    }
    makeList_.make(settings_, desktop_.sound, controls_, ProgramFile(QStringLiteral("Script.txt")))->show();
}

void MainWindow::showAbout()
{
    QMessageBox::about(this, QStringLiteral("About Shelvana"),
                       QStringLiteral("<h3>Shelvana " SHELVANA_VERSION "</h3>"
                                      "<p>Keeps order in a collection of e-book files: lists, comments, and "
                                      "searches by title and author.</p>"
                                      "<p>Built with Qt %1 (running on Qt %2).</p>"
                                      "<p>Licence: proprietary; all rights reserved.</p>")
                           .arg(QLatin1String(QT_VERSION_STR), QLatin1String(qVersion())));
}

void MainWindow::showHelp()
{
    if (!help_) {
        help_ = new QTextBrowser(this);
        help_->setWindowFlag(Qt::Window);
        help_->setAttribute(Qt::WA_DeleteOnClose);
        help_->setObjectName(QStringLiteral("Help"));
        help_->setWindowTitle(QStringLiteral("Shelvana Help"));
        help_->setOpenExternalLinks(true);
        help_->document()->setDocumentMargin(12);
        help_->setSource(QUrl::fromLocalFile(ProgramFile(QStringLiteral("help.html"))));
        if (help_->toPlainText().isEmpty())
            help_->setPlainText(QStringLiteral("The help page help.html is missing beside the program."));
        help_->resize(640, 520);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Nothing typed in either comment window is lost on the way out.
    if (!commentWindows_->commitAll()) {
        event->ignore();
        return;
    }
    Exit(*this);
    event->setAccepted(mainUnloaded_);
}

void MainWindow::loadCommentWindow()
{
    commentWindows_->loadCommentDb();
}

void MainWindow::unloadCommentWindow()
{
    commentWindows_->unload();
}

void MainWindow::unloadMainWindow()
{
    mainUnloaded_ = true;
    if (help_)
        help_->close();
}

void MainWindow::selectTab(int index)
{
    tabs_->setCurrentIndex(index);
}

void MainWindow::loadSettings()
{
    const bool firstStart = !QFile::exists(kSettingsFile);
    QString problem;
    settings_ = LoadSettings(kSettingsFile, &problem);
    // A damaged or unreadable Path.txt is said in the same place as the first-start hint.
    if (!problem.isEmpty())
        firstStartHint_->setText(problem);
    firstStartHint_->setVisible(firstStart || !problem.isEmpty());
    config_->showSettings();
}

void MainWindow::loadLinks()
{
    utilities_->setLinks(LoadLinks(LinksFileToRead()));
}

void MainWindow::selectLink(int position)
{
    utilities_->selectLink(position);
}

void MainWindow::playCue(const QString &name)
{
    PlayCue(settings_, desktop_.sound, name);
}
