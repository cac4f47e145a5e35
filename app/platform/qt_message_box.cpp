#include "platform/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>

void QtMessageBox::show(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    owner_ ? owner_ : QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
