#pragma once

#include <QString>

// A file that ships beside the executable ("Links.txt", "Script.txt", the cues).
QString ProgramFile(const QString &name);
