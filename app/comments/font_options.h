#pragma once

#include <QStringList>

#include <array>
#include <optional>

// One colour swatch of the font window: its index in the label array, its colour and the
// top-left corner of its 255-twip square inside the swatch box.
struct Swatch
{
    int index;
    int red;
    int green;
    int blue;
    int leftTwips;
    int topTwips;
};
inline constexpr int kSwatchSizeTwips = 255;

// The 32 swatches in index order (1 to 32): four columns of dark to light in eight rows.
const std::array<Swatch, 32> &Swatches();

// "8", "10", ... "72".
QStringList FontSizes();
inline constexpr char kDefaultFontName[] = "Arial";
inline constexpr char kDefaultFontSize[] = "10";

// Bold, Underline and Italic look at the selection first: mixed switches the attribute off,
// absent switches it on, present throughout changes nothing.
enum class AttributeState { Nowhere, Mixed, Everywhere };
std::optional<bool> AttributeAfterPress(AttributeState state);

// The comment box the font window works on, chosen afresh at each command.
enum class CommentBoxTarget { CommentDatabaseWindow, MainWindow };
inline CommentBoxTarget FontTarget(bool commentDatabaseWindowVisible)
{
    return commentDatabaseWindowVisible ? CommentBoxTarget::CommentDatabaseWindow : CommentBoxTarget::MainWindow;
}
