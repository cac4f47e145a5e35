#pragma once

#include <QString>

#include <optional>

class QMimeData;

// The file a drag brings for analysis: the first of its addresses, when that is a local file
// (not a folder). Drags of other things (text, pictures) bring none.
std::optional<QString> DroppedFilePath(const QMimeData &data);
