#include "platform/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

QWidget *QtMessageBoxes::owner() const
{
    return owner_ ? owner_ : QApplication::activeWindow();
}

void QtMessageBoxes::warn(const QString &title, const QString &text)
{
    QMessageBox::warning(owner(), title, text);
}

bool QtMessageBoxes::confirm(const QString &title, const QString &text)
{
    return QMessageBox::question(owner(), title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}

MessageBoxes::FailedCommitChoice QtMessageBoxes::askAboutFailedCommit(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::NoButton, owner());
    QPushButton *retry = box.addButton(QStringLiteral("&Retry"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("&Discard Changes"), QMessageBox::DestructiveRole);
    QPushButton *stay = box.addButton(QStringLiteral("&Stay"), QMessageBox::RejectRole);
    box.setDefaultButton(retry);
    box.setEscapeButton(stay);
    box.exec();
    if (box.clickedButton() == retry)
        return FailedCommitChoice::Retry;
    if (box.clickedButton() == discard)
        return FailedCommitChoice::Discard;
    return FailedCommitChoice::Stay;
}
