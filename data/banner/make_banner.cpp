// Draws the Intro tab's banner: the product name in large yellow, stone-textured 3-D
// letters on black, 600 x 200 pixels. Run at build time; the output is the same on every
// run (fixed noise seed), so the banner is the project's own, reproducible artwork.
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdint>

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 200;
constexpr int kDepth = 9; // extrusion, in pixels

// Smooth value noise on a lattice, summed over octaves: the grain of the stone.
class StoneNoise
{
public:
    StoneNoise()
    {
        std::uint32_t state = 0x5e17a7a5u;
        for (float &v : lattice_) {
            state = state * 1664525u + 1013904223u;
            v = float(state >> 8) / float(1u << 24);
        }
    }

    float at(float x, float y) const
    {
        float sum = 0, amplitude = 0.55f, scale = 1.0f / 24.0f;
        for (int octave = 0; octave < 5; ++octave) {
            sum += amplitude * smooth(x * scale, y * scale);
            amplitude *= 0.5f;
            scale *= 2.1f;
        }
        return sum;
    }

private:
    static constexpr int kSize = 256;

    float value(int x, int y) const { return lattice_[((y & (kSize - 1)) * kSize) + (x & (kSize - 1))]; }

    float smooth(float x, float y) const
    {
        const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
        const float fx = x - float(x0), fy = y - float(y0);
        const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const float top = value(x0, y0) + sx * (value(x0 + 1, y0) - value(x0, y0));
        const float bottom = value(x0, y0 + 1) + sx * (value(x0 + 1, y0 + 1) - value(x0, y0 + 1));
        return top + sy * (bottom - top);
    }

    std::array<float, kSize * kSize> lattice_{};
};

// Yellow sandstone: light and dark patches, fine grain and a few darker pits.
QImage stoneTexture(const StoneNoise &noise)
{
    QImage texture(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(texture.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            const float n = noise.at(float(x), float(y));
            const float grain = noise.at(float(x) * 7.0f + 1000, float(y) * 7.0f);
            float shade = 0.80f + 0.50f * (n - 0.5f) + 0.18f * (grain - 0.5f);
            if (grain > 0.83f)
                shade -= 0.25f; // pits
            shade = std::clamp(shade, 0.25f, 1.05f);
            line[x] = qRgb(std::min(255, int(255 * shade)), std::min(255, int(222 * shade)), int(30 * shade));
        }
    }
    return texture;
}

QPainterPath titlePath()
{
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setStyleHint(QFont::Serif);
    font.setBold(true);
    font.setPixelSize(104);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath path;
    path.addText(0, 0, font, QStringLiteral("Shelvana"));
    const QRectF box = path.boundingRect();
    return path.translated((kWidth - box.width() - kDepth) / 2 - box.left(),
                           (kHeight - box.height() - kDepth) / 2 - box.top());
}

void drawBanner(QImage &image)
{
    const StoneNoise noise;
    const QPainterPath face = titlePath();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), Qt::black);

    // The sides of the letters: the face pushed back step by step, darker with depth.
    for (int step = kDepth; step >= 1; --step) {
        const int shade = 70 + (kDepth - step) * 9;
        painter.fillPath(face.translated(step, step), QColor(shade + 40, shade, 0));
    }
    // The face: stone, lit from the top left.
    painter.fillPath(face, QBrush(stoneTexture(noise)));
    QLinearGradient light(0, 30, 0, 170);
    light.setColorAt(0, QColor(255, 255, 220, 70));
    light.setColorAt(1, QColor(90, 50, 0, 60));
    painter.fillPath(face, light);
    // Chiselled edges: a bright rim up and left, a dark one down and right.
    painter.save();
    painter.setClipPath(face);
    painter.strokePath(face.translated(1.5, 1.5), QPen(QColor(255, 250, 200, 200), 2.5));
    painter.strokePath(face.translated(-1.5, -1.5), QPen(QColor(70, 45, 0, 200), 2.5));
    painter.restore();
    painter.strokePath(face, QPen(QColor(40, 25, 0), 1.0));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv); // fonts need it
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    QImage banner(kWidth, kHeight, QImage::Format_RGB32);
    drawBanner(banner);
    if (!banner.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
