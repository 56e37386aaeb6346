#include "bench/cases/SpriteCases.h"

#include "assets/Assets.h"
#include "drawing/Dib.h"

#include <QTransform>

namespace {

TDIB LoadPicture(const TSpritePicture& picture)
{
    return TDIB::FromBitmapFile(AssetBytes(picture.File));
}

TRect PatternRect(const TSpritePicture& picture, int32_t height)
{
    const int32_t left = picture.Pattern * picture.PatternWidth;
    return {left, 0, left + picture.PatternWidth, height};
}

size_t IndexOf(const TSpritePicture* picture)
{
    return static_cast<size_t>(picture - SpritePictures().data());
}

} // namespace

const std::array<TSpritePicture, 4>& SpritePictures()
{
    static const std::array<TSpritePicture, 4> pictures{{
        {"Hull", "pictures/B0.bmp", 30, 1, 0xFF00FF, 0.5, 1.0},
        {"Sail", "pictures/Segel.bmp", 39, 1, 0xFF00FF, 0.0, 0.0},
        {"Buoy", "pictures/Boje.bmp", 15, 0, 0xFFFFFF, 0.5, 0.5},
        {"Windrose", "pictures/Windrose.bmp", 41, 0, 0x000000, 0.5, 0.5},
    }};
    return pictures;
}

std::vector<TSpriteDraw> FrameDraws()
{
    const auto& p = SpritePictures();
    // Wind from 10 degrees; the green dinghy on 37 degrees, the red one on 300, sails trimmed for them.
    return {
        {&p[3], 530, 60, 7},   {&p[2], 538, 165, 7},  {&p[2], 310, 520, 7}, {&p[2], 760, 520, 7},
        {&p[0], 440, 600, 213}, {&p[1], 403, 560, 12}, {&p[0], 628, 640, 26}, {&p[1], 660, 610, 122},
    };
}

TOurSprites::TOurSprites() : FBuffer(FDevice.CreateSurface())
{
    FBuffer->Resize(FrameWidth, FrameHeight);
    FBuffer->FillSolid(kBackdrop);
    for (const TSpritePicture& picture : SpritePictures()) {
        const TDIB dib = LoadPicture(picture);
        TSurfaceHandle surface = FDevice.CreateSurface();
        surface->LoadPictureRect(dib, 0, 0, TRect{0, 0, dib.Width(), dib.Height()});
        surface->SetColorKey(picture.KeyPixel);
        FPatterns.push_back(std::move(surface));
    }
}

void TOurSprites::Draw(const TSpriteDraw& draw)
{
    TDirectDrawSurface& pattern = *FPatterns[IndexOf(draw.Picture)];
    const TSpritePicture& picture = *draw.Picture;
    FBuffer->DrawSurfaceRotated(draw.X, draw.Y, picture.PatternWidth, pattern.Height(),
                                PatternRect(picture, pattern.Height()), &pattern, picture.PivotX, picture.PivotY,
                                true, draw.Angle);
}

TQtSprites::TQtSprites() : FTarget(FrameWidth, FrameHeight, QImage::Format_ARGB32_Premultiplied)
{
    FTarget.fill(QColor::fromRgb(kBackdrop));
    for (const TSpritePicture& picture : SpritePictures()) {
        const TDIB dib = LoadPicture(picture);
        const TPixelImage& pixels = dib.Pixels();
        QImage image(pixels.Width, pixels.Height, QImage::Format_ARGB32_Premultiplied);
        for (int32_t y = 0; y < pixels.Height; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
            for (int32_t x = 0; x < pixels.Width; ++x) {
                const uint32_t value = pixels.At(x, y) & 0xFFFFFFu;
                row[x] = value == picture.KeyPixel ? 0u : value | 0xFF000000u;
            }
        }
        FPatterns.push_back(image.copy(PatternRect(picture, pixels.Height).Left, 0, picture.PatternWidth,
                                       pixels.Height));
    }
    FPainter = std::make_unique<QPainter>(&FTarget);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

TQtSprites::~TQtSprites() = default;

void TQtSprites::Draw(const TSpriteDraw& draw)
{
    const QImage& pattern = FPatterns[IndexOf(draw.Picture)];
    const TSpritePicture& picture = *draw.Picture;
    QTransform transform;
    transform.translate(draw.X, draw.Y);
    transform.rotate(draw.Angle * 360.0 / 256.0);
    transform.translate(-picture.PatternWidth * picture.PivotX, -pattern.height() * picture.PivotY);
    FPainter->setTransform(transform);
    FPainter->drawImage(QPointF(0, 0), pattern);
}

QImage& TQtSprites::Target()
{
    if (FPainter)
        FPainter->end();
    FPainter.reset();
    return FTarget;
}
