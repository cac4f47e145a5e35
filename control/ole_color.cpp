#include "ole_color.h"

#include "contrast.h"

#include <array>
#include <optional>

namespace {

struct SystemColor
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup kCurrent = QPalette::Current;

// Index by index, the desktop's system colours and the palette role nearest to each.
// Index 25 was never assigned a colour.
constexpr std::array<std::optional<SystemColor>, 31> kSystemColors = {{
    SystemColor{kCurrent, QPalette::Mid},             //  0 scroll bar
    SystemColor{kCurrent, QPalette::Dark},            //  1 desktop
    SystemColor{kCurrent, QPalette::Highlight},       //  2 active caption
    SystemColor{QPalette::Inactive, QPalette::Highlight}, //  3 inactive caption
    SystemColor{kCurrent, QPalette::Window},          //  4 menu
    SystemColor{kCurrent, QPalette::Base},            //  5 window
    SystemColor{kCurrent, QPalette::Shadow},          //  6 window frame
    SystemColor{kCurrent, QPalette::WindowText},      //  7 menu text
    SystemColor{kCurrent, QPalette::Text},            //  8 window text
    SystemColor{kCurrent, QPalette::HighlightedText}, //  9 caption text
    SystemColor{kCurrent, QPalette::Window},          // 10 active border
    SystemColor{kCurrent, QPalette::Window},          // 11 inactive border
    SystemColor{kCurrent, QPalette::Dark},            // 12 application workspace
    SystemColor{kCurrent, QPalette::Highlight},       // 13 highlight
    SystemColor{kCurrent, QPalette::HighlightedText}, // 14 highlighted text
    SystemColor{kCurrent, QPalette::Button},          // 15 button face
    SystemColor{kCurrent, QPalette::Dark},            // 16 button shadow
    SystemColor{QPalette::Disabled, QPalette::Text},  // 17 grey text
    SystemColor{kCurrent, QPalette::ButtonText},      // 18 button text
    SystemColor{QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    SystemColor{kCurrent, QPalette::Light},           // 20 button highlight
    SystemColor{kCurrent, QPalette::Shadow},          // 21 3-D dark shadow
    SystemColor{kCurrent, QPalette::Midlight},        // 22 3-D light
    SystemColor{kCurrent, QPalette::ToolTipText},     // 23 tool tip text
    SystemColor{kCurrent, QPalette::ToolTipBase},     // 24 tool tip background
    std::nullopt,                                     // 25
    SystemColor{kCurrent, QPalette::Link},            // 26 hot-tracked item
    SystemColor{kCurrent, QPalette::Highlight},       // 27 active caption gradient
    SystemColor{QPalette::Inactive, QPalette::Highlight}, // 28 inactive caption gradient
    SystemColor{kCurrent, QPalette::Highlight},       // 29 menu highlight
    SystemColor{kCurrent, QPalette::Window},          // 30 menu bar
}};

} // namespace

QColor OleColorToQColor(quint32 oleColor, const QPalette &palette)
{
    if ((oleColor & 0x80000000u) == 0)
        return QColor(int(oleColor & 0xFF), int((oleColor >> 8) & 0xFF), int((oleColor >> 16) & 0xFF));
    const quint32 index = oleColor & 0xFF;
    if (index < kSystemColors.size() && kSystemColors[index])
        return palette.color(kSystemColors[index]->group, kSystemColors[index]->role);
    return palette.color(QPalette::WindowText);
}

QColor OleCaptionColor(quint32 oleColor, const QPalette &palette)
{
    const QColor color = OleColorToQColor(oleColor, palette);
    if ((oleColor & 0x800000FFu) != kOleButtonText && (oleColor & 0x800000FFu) != kOleHotTrack)
        return color;
    return ReadableOn(color, palette.color(QPalette::Active, QPalette::Button));
}
