#include "platform/qt_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

QtProgress::~QtProgress()
{
    finish();
}

void QtProgress::start(const QString &title, const QString &text, int maximum)
{
    finish();
    dialog_ = new QProgressDialog(text, QStringLiteral("Cancel"), 0, maximum, owner_);
    dialog_->setWindowTitle(title);
    dialog_->setAccessibleName(title);
    dialog_->setAccessibleDescription(text);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(300);
    dialog_->setAutoReset(false);
}

bool QtProgress::advance(int done)
{
    if (!dialog_)
        return true;
    dialog_->setValue(done);
    // The box runs the events itself only once it shows; until then they run here.
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

void QtProgress::finish()
{
    delete dialog_;
}
