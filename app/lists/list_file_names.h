#pragma once

#include <QString>

// The names of the three lists in the list folder.
inline const QString kTextListName = QStringLiteral("EBook.txt");
inline const QString kTableListName = QStringLiteral("EBook.html");
inline const QString kTreeListName = QStringLiteral("EBookTree.html");
