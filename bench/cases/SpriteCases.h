#pragma once
#include "drawing/Device.h"
#include "drawing/Surface.h"
#include "simulation/FrameSize.h"

#include <QImage>
#include <QPainter>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The rotated draws one frame of the race makes, each done twice: by our renderer onto a back buffer, and by
// Qt's raster engine onto a premultiplied image, with the same picture, place, size, pivot and angle.

// One pattern of one of the game's pictures, keyed as the image list keys it.
struct TSpritePicture {
    const char* Name;
    const char* File;
    int32_t PatternWidth;
    int32_t Pattern;
    uint32_t KeyPixel;
    double PivotX;
    double PivotY;
};

// Hull, sail, buoy and wind rose.
const std::array<TSpritePicture, 4>& SpritePictures();

struct TSpriteDraw {
    const TSpritePicture* Picture;
    int32_t X;
    int32_t Y;
    int32_t Angle; // 256 units to a full turn
};

// The eight draws of a frame in mid-race: both hulls and sails, the wind rose and the three buoys.
std::vector<TSpriteDraw> FrameDraws();

// Our side: the patterns in surfaces and a back buffer of frame size.
class TOurSprites {
public:
    TOurSprites();
    void Draw(const TSpriteDraw& draw);
    TDirectDrawSurface& Buffer() { return *FBuffer; }

private:
    TDirectDraw FDevice;
    TSurfaceHandle FBuffer;
    std::vector<TSurfaceHandle> FPatterns;
};

// Qt's side: the patterns as premultiplied images (key pixels transparent) and a target image of frame size,
// painted without smoothing.
class TQtSprites {
public:
    TQtSprites();
    ~TQtSprites();
    void Draw(const TSpriteDraw& draw);
    // Ends painting, so the target can be read.
    QImage& Target();

private:
    QImage FTarget;
    std::vector<QImage> FPatterns;
    std::unique_ptr<QPainter> FPainter;
};

// Background colour both targets start with.
constexpr uint32_t kBackdrop = 0x204060;
