#include "comments/font_options.h"

namespace {

constexpr int kColumnLeft[] = {120, 360, 600, 840};

constexpr int rowTop(int row)
{
    return 120 + 240 * row;
}

// Row by row, column 1 to 4: each row's index and colour from dark to light.
constexpr std::array<std::array<int, 4>, 8> kIndexByRowAndColumn = {{
    {3, 2, 1, 4},
    {7, 6, 5, 8},
    {11, 10, 9, 12},
    {15, 14, 13, 16},
    {19, 18, 17, 20},
    {23, 22, 21, 24},
    {27, 26, 25, 28},
    {31, 30, 29, 32},
}};

constexpr std::array<std::array<int, 3>, 32> kColourByRowAndColumn = {{
    {128, 0, 0}, {192, 0, 0}, {255, 0, 0}, {255, 192, 192},
    {128, 64, 0}, {192, 64, 0}, {255, 128, 0}, {255, 224, 192},
    {128, 128, 0}, {192, 192, 0}, {255, 255, 0}, {255, 255, 192},
    {0, 128, 0}, {0, 192, 0}, {0, 255, 0}, {192, 255, 192},
    {0, 128, 128}, {0, 192, 192}, {0, 255, 255}, {192, 255, 255},
    {0, 0, 128}, {0, 0, 192}, {0, 0, 255}, {192, 192, 255},
    {128, 0, 128}, {192, 0, 192}, {255, 0, 255}, {255, 192, 255},
    {0, 0, 0}, {128, 128, 128}, {192, 192, 192}, {255, 255, 255},
}};

std::array<Swatch, 32> makeSwatches()
{
    std::array<Swatch, 32> swatches{};
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 4; ++column) {
            const int index = kIndexByRowAndColumn[row][column];
            const auto &colour = kColourByRowAndColumn[row * 4 + column];
            swatches[index - 1] = {index, colour[0], colour[1], colour[2], kColumnLeft[column], rowTop(row)};
        }
    }
    return swatches;
}

} // namespace

const std::array<Swatch, 32> &Swatches()
{
    static const std::array<Swatch, 32> swatches = makeSwatches();
    return swatches;
}

QStringList FontSizes()
{
    QStringList sizes;
    for (int size = 8; size <= 72; size += 2)
        sizes << QString::number(size);
    return sizes;
}

std::optional<bool> AttributeAfterPress(AttributeState state)
{
    switch (state) {
    case AttributeState::Mixed:
        return false;
    case AttributeState::Nowhere:
        return true;
    case AttributeState::Everywhere:
        break;
    }
    return std::nullopt;
}
