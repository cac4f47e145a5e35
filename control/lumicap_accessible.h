#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

// Makes assistive tools see each hover button as a push button named by its caption,
// which they can press.
QAccessibleInterface *LumicapAccessibleFactory(const QString &className, QObject *object);
