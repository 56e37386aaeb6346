#include <QColor>
#include <QImage>
#include <QSet>
#include <QString>

#include <gtest/gtest.h>

namespace {

QImage ThemeIcon(int size)
{
    const QString side = QString::number(size);
    return QImage(QString(QUIBO_INSTALLED_ICONS) + "/" + side + "x" + side + "/apps/org.quibotrainer.QuiboTrainer.png");
}

// The program icon itself, decoded by Qt's own ICO reader rather than ours.
QImage ProgramIcon()
{
    return QImage(QUIBO_PROGRAM_ICON).convertToFormat(QImage::Format_ARGB32);
}

// Transparent pixels compare equal whatever colour they hide.
QRgb Seen(const QImage& image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    return qAlpha(pixel) == 0 ? 0 : pixel;
}

QSet<QRgb> OpaqueColours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                colours.insert(image.pixel(x, y));
    return colours;
}

class EveryThemeIcon : public testing::TestWithParam<int> {};

// Crisp and see-through: every pixel fully opaque or fully transparent, the transparent ones around the boat.
TEST_P(EveryThemeIcon, IsASquarePictureWithHardTransparentEdges)
{
    const int size = GetParam();
    const QImage icon = ThemeIcon(size).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(icon.isNull()) << size;
    EXPECT_EQ(icon.width(), size);
    EXPECT_EQ(icon.height(), size);
    int transparent = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int alpha = qAlpha(icon.pixel(x, y));
            EXPECT_TRUE(alpha == 0 || alpha == 255) << size << ": alpha " << alpha << " at " << x << ", " << y;
            transparent += alpha == 0;
        }
    EXPECT_GT(transparent, size * size / 4) << size;
    EXPECT_EQ(qAlpha(icon.pixel(size - 1, 0)), 0) << size;
    EXPECT_EQ(OpaqueColours(icon), OpaqueColours(ProgramIcon())) << size;
}

INSTANTIATE_TEST_SUITE_P(Sizes, EveryThemeIcon, testing::Values(16, 32, 48, 64, 128, 256));

TEST(ThemeIcons, The32IsTheProgramIconPixelForPixel)
{
    const QImage icon = ThemeIcon(32).convertToFormat(QImage::Format_ARGB32);
    const QImage program = ProgramIcon();
    ASSERT_EQ(program.size(), QSize(32, 32));
    ASSERT_EQ(icon.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(Seen(icon, x, y), Seen(program, x, y)) << x << ", " << y;
}

// Each source pixel becomes a whole block: 64, 128 and 256 from the program icon, 48 from the drawn 16.
TEST(ThemeIcons, LargerSizesAreWholeNumberScalings)
{
    struct TCase {
        int Size;
        QImage Source;
    };
    const TCase cases[]{
        {48, ThemeIcon(16).convertToFormat(QImage::Format_ARGB32)},
        {64, ProgramIcon()},
        {128, ProgramIcon()},
        {256, ProgramIcon()},
    };
    for (const auto& c : cases) {
        const QImage icon = ThemeIcon(c.Size).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.width(), c.Size);
        ASSERT_EQ(c.Size % c.Source.width(), 0);
        const int factor = c.Size / c.Source.width();
        for (int y = 0; y < c.Size; ++y)
            for (int x = 0; x < c.Size; ++x)
                ASSERT_EQ(Seen(icon, x, y), Seen(c.Source, x / factor, y / factor))
                    << c.Size << " at " << x << ", " << y;
    }
}

// Drawn anew rather than shrunk, the 16 still shows the same boat in the same place: nearly every pixel is one
// of the four the program icon holds at that spot. A shifted or mirrored boat falls well short.
TEST(ThemeIcons, The16IsTheProgramIconDrawnSmall)
{
    const QImage small = ThemeIcon(16).convertToFormat(QImage::Format_ARGB32);
    const QImage program = ProgramIcon();
    int alike = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool found = false;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    found = found || Seen(small, x, y) == Seen(program, 2 * x + dx, 2 * y + dy);
            alike += found;
        }
    EXPECT_GE(alike, 16 * 16 * 9 / 10);
}

} // namespace
