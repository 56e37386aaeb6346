// Renders every embedded picture into one PNG for a person to look at: each sprite picture pattern by
// pattern, enlarged, as stored and keyed over the water; the water scaled down; the glyphs and the icon.
#include "assets/Assets.h"
#include "drawing/Dib.h"
#include "drawing/ImageList.h"
#include "simulation/FrameSize.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <exception>
#include <iostream>

namespace {

constexpr int Zoom = 4;
constexpr int Gap = 12;
const QColor SheetColour(72, 72, 72);

QImage ToQImage(const TPixelImage& pixels)
{
    QImage image(pixels.Width, pixels.Height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x)
            image.setPixel(x, y, 0xFF000000u | pixels.At(x, y));
    return image;
}

// The part of the picture, with pixels of the key colour taken out.
QImage Keyed(const QImage& picture, const QRect& part, uint32_t key)
{
    QImage keyed = picture.copy(part).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y)
        for (int x = 0; x < keyed.width(); ++x)
            if ((keyed.pixel(x, y) & 0xFFFFFFu) == key)
                keyed.setPixel(x, y, 0);
    return keyed;
}

class TSheet {
public:
    TSheet() : FImage(1560, 1080, QImage::Format_RGB32), FPainter(&FImage)
    {
        FImage.fill(SheetColour);
        FPainter.setPen(Qt::white);
    }

    QPainter& Painter() { return FPainter; }
    void Label(int x, int y, const QString& text) { FPainter.drawText(x, y, text); }
    bool Save(const QString& path)
    {
        FPainter.end();
        return FImage.save(path, "PNG");
    }

private:
    QImage FImage;
    QPainter FPainter;
};

// One image item: its patterns side by side as stored, and below them each keyed over a piece of water.
void DrawItem(TSheet& sheet, const TPictureCollectionItem& item, const QImage& water, int left, int top)
{
    const QImage picture = ToQImage(item.Picture()->Pixels());
    const int w = item.Width();
    const int h = item.Height();
    const int count = picture.width() / w;
    const uint32_t key = item.Transparent ? ColorToRGBPixel(item.TransparentColor()) : 0xFF000000u;
    sheet.Label(left, top + 12, QString("%1: %2 patterns of %3 x %4").arg(QString::fromStdString(item.Name()))
                                    .arg(count).arg(w).arg(h));
    const int rowTop = top + 18;
    for (int n = 0; n < count; ++n) {
        const QRect part(n * w, 0, w, h);
        const int x = left + n * (w * Zoom + Gap);
        sheet.Painter().drawImage(QRect(x, rowTop, w * Zoom, h * Zoom), picture, part);
        const QRect below(x, rowTop + h * Zoom + Gap / 2, w * Zoom, h * Zoom);
        sheet.Painter().drawImage(below, water, QRect(0, 0, w, h));
        sheet.Painter().drawImage(below, Keyed(picture, part, key));
    }
}

void DrawGlyphs(TSheet& sheet, int left, int top)
{
    sheet.Label(left, top + 12, "Toolbar glyphs: normal | disabled, as stored and keyed on a button face");
    int x = left;
    for (const char* name : {"Start", "Setup", "Stop", "Play", "Ende", "Regatta"}) {
        const TDIB glyph = TDIB::FromBitmapFile(AssetBytes(std::string("glyphs/") + name + ".bmp"));
        const QImage image = ToQImage(glyph.Pixels());
        const uint32_t key = image.pixel(0, image.height() - 1) & 0xFFFFFFu;
        sheet.Painter().drawImage(QRect(x, top + 18, image.width() * Zoom, image.height() * Zoom), image);
        const QRect face(x, top + 18 + image.height() * Zoom + 4, image.width() * Zoom, image.height() * Zoom);
        sheet.Painter().fillRect(face, QColor(240, 240, 240));
        sheet.Painter().drawImage(face, Keyed(image, image.rect(), key));
        sheet.Label(x, face.bottom() + 14, name);
        x += image.width() * Zoom + Gap;
    }
}

void DrawIcon(TSheet& sheet, int left, int top)
{
    const auto bytes = AssetBytes("icon/QuiboTrainer.ico");
    const QImage icon = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "ICO");
    sheet.Label(left, top + 12, icon.isNull() ? QString("Icon: Qt cannot read it")
                                              : QString("Icon %1 x %2, read by Qt").arg(icon.width()).arg(icon.height()));
    if (icon.isNull())
        return;
    const int zoomed = icon.width() * Zoom;
    for (int i = 0; i < 2; ++i) {
        const QRect area(left + i * (zoomed + Gap), top + 18, zoomed, zoomed);
        sheet.Painter().fillRect(area, i == 0 ? QColor(240, 240, 240) : QColor(0, 120, 215));
        sheet.Painter().drawImage(area, icon);
    }
    sheet.Painter().drawImage(left + 2 * (zoomed + Gap), top + 18, icon);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: contact_sheet <file.png>\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    try {
        TPictureCollection items;
        LoadMainImageList(items);
        TSheet sheet;
        const QImage water = ToQImage(items.Items(0).Picture()->Pixels());
        sheet.Label(Gap, Gap + 12, "Water1: 1500 x 1000 at 1/4, the shown 1076 x 750 framed; right: 1:1 corner");
        const QRect waterArea(Gap, Gap + 18, water.width() / 4, water.height() / 4);
        sheet.Painter().drawImage(waterArea, water);
        sheet.Painter().setPen(Qt::yellow);
        sheet.Painter().drawRect(QRect(waterArea.left(), waterArea.top(), FrameWidth / 4, FrameHeight / 4));
        sheet.Painter().setPen(Qt::white);
        sheet.Painter().drawImage(waterArea.right() + Gap, waterArea.top(), water, 0, 0, 256, 250);

        struct TPlace {
            const char* Name;
            int Left, Top;
        };
        for (const TPlace& place : {TPlace{"B0", Gap, 300}, TPlace{"B1", 420, 300}, TPlace{"Explode", Gap, 800},
                                    TPlace{"Windrose", 830, 0}, TPlace{"Boje", 830, 370}, TPlace{"Segel", 830, 530}})
            DrawItem(sheet, items.FindByName(place.Name), water, place.Left, place.Top);
        DrawGlyphs(sheet, 830, 640);
        DrawIcon(sheet, 830, 830);
        if (!sheet.Save(QString::fromLocal8Bit(argv[1]))) {
            std::cerr << "contact_sheet: cannot write " << argv[1] << '\n';
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "contact_sheet: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
