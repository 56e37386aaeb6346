#include "drawing/Surface.h"

#include "drawing/Device.h"
#include "drawing/Errors.h"
#include "drawing/FixedPoint.h"
#include "drawing/Graphic.h"
#include "drawing/RotatedRenderer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>

namespace {

constexpr TColor Rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

// The system colours by index, as a Windows desktop shows them by default.
constexpr std::array<TColor, 31> kSystemColors = {
    Rgb(200, 200, 200), // scroll bar
    Rgb(0, 0, 0),       // desktop
    Rgb(153, 180, 209), // active caption
    Rgb(191, 205, 219), // inactive caption
    Rgb(240, 240, 240), // menu
    Rgb(255, 255, 255), // window
    Rgb(100, 100, 100), // window frame
    Rgb(0, 0, 0),       // menu text
    Rgb(0, 0, 0),       // window text
    Rgb(0, 0, 0),       // caption text
    Rgb(180, 180, 180), // active border
    Rgb(244, 247, 252), // inactive border
    Rgb(171, 171, 171), // application workspace
    Rgb(0, 120, 215),   // highlight
    Rgb(255, 255, 255), // highlight text
    Rgb(240, 240, 240), // button face
    Rgb(160, 160, 160), // button shadow
    Rgb(109, 109, 109), // grey text
    Rgb(0, 0, 0),       // button text
    Rgb(0, 0, 0),       // inactive caption text
    Rgb(255, 255, 255), // button highlight
    Rgb(105, 105, 105), // 3D dark shadow
    Rgb(227, 227, 227), // 3D light
    Rgb(0, 0, 0),       // tooltip text
    Rgb(255, 255, 225), // tooltip background
    Rgb(0, 0, 0),       // unused
    Rgb(0, 102, 204),   // hot light
    Rgb(185, 209, 234), // active caption gradient
    Rgb(215, 228, 242), // inactive caption gradient
    Rgb(51, 153, 255),  // menu highlight
    Rgb(240, 240, 240), // menu bar
};

TColor ResolveSystemColor(TColor color)
{
    if ((color & 0xFF000000u) != 0x80000000u)
        return color;
    const uint32_t index = color & 0xFFu;
    return index < kSystemColors.size() ? kSystemColors[index] : 0;
}

uint64_t NextVersion()
{
    static uint64_t version = 0;
    return ++version;
}


} // namespace

uint32_t ColorToRGBPixel(TColor color)
{
    const TColor rgb = ResolveSystemColor(color);
    const uint32_t r = rgb & 0xFFu;
    const uint32_t g = (rgb >> 8) & 0xFFu;
    const uint32_t b = (rgb >> 16) & 0xFFu;
    return (r << 16) | (g << 8) | b;
}

TDirectDrawSurface::TDirectDrawSurface(TDirectDraw& device) : FDevice(device), FVersion(NextVersion()) {}

TDirectDrawSurface::~TDirectDrawSurface() = default;

void TDirectDrawSurface::Resize(int32_t w, int32_t h)
{
    if (w <= 0 || h <= 0) {
        FPixels = {};
        FWidth = 0;
        FHeight = 0;
        FLost = false;
        ChangedAll();
        return;
    }
    const int64_t count = int64_t{w} * h;
    const int64_t limit = FDevice.MaxSurfacePixels();
    const auto request = [&]() -> std::vector<uint32_t> {
        if (count > limit)
            return {};
        try {
            return std::vector<uint32_t>(static_cast<size_t>(count));
        } catch (const std::bad_alloc&) {
            return {};
        } catch (const std::length_error&) {
            return {};
        }
    };
    std::vector<uint32_t> storage;
    if (!FSystemMemory && FDevice.DisplayMemoryAvailable())
        storage = request();
    if (storage.empty()) {
        storage = request();
        if (storage.empty())
            throw EDirectDrawSurfaceError(FormatMessage("%s cannot be made", "Surface"));
        FSystemMemory = true;
    }
    FPixels = std::move(storage);
    FWidth = w;
    FHeight = h;
    FColorKey = 0;
    FLost = false;
    ChangedAll();
}

bool TDirectDrawSurface::LockForReading(TLockedPixels& out)
{
    return LockStorage(out);
}

bool TDirectDrawSurface::LockStorage(TLockedPixels& out)
{
    if (!HasStorage() || FLost)
        return false;
    ++FLockCount;
    out.Bits = FPixels.data();
    out.PitchPixels = FWidth;
    out.Width = FWidth;
    out.Height = FHeight;
    return true;
}

void TDirectDrawSurface::Unlock()
{
    if (FLockCount > 0)
        --FLockCount;
}

void TDirectDrawSurface::MarkLost()
{
    if (HasStorage()) {
        FLost = true;
        ChangedAll();
    }
}

bool TDirectDrawSurface::Restore()
{
    if (!HasStorage())
        return false;
    FLost = false;
    ChangedAll();
    return true;
}

void TDirectDrawSurface::SetIncrementalCopies(bool value)
{
    FIncrementalCopies = value;
    FBase.Valid = false;
}

void TDirectDrawSurface::Report(const TWritten& written)
{
    if (written.FBackToBase) {
        // The surface equals its base copy again: what differed from it is all that changed.
        for (const TRect& r : FSinceBase.Rects())
            FChanges.Add(r);
        if (!FSinceBase.Empty())
            FVersion = NextVersion();
        FSinceBase.Clear();
    } else if (written.FWhole) {
        ChangedAll();
    } else if (!written.FRect.Empty()) {
        Changed(written.FRect);
    }
}

void TDirectDrawSurface::Changed(const TRect& r)
{
    FChanges.Add(r);
    FSinceBase.Add(r);
    FVersion = NextVersion();
}

void TDirectDrawSurface::ChangedAll()
{
    FChanges.AddAll();
    FSinceBase.AddAll();
    FBase.Valid = false;
    FVersion = NextVersion();
}

uint32_t TDirectDrawSurface::ReadPixel(int32_t x, int32_t y)
{
    if (x < 0 || x >= FWidth || y < 0 || y >= FHeight)
        return 0;
    const TSurfaceReadLock lock(this);
    return lock.Locked() ? lock.Row(y)[x] : 0;
}

void TDirectDrawSurface::WritePixel(int32_t x, int32_t y, uint32_t value)
{
    if (x < 0 || x >= FWidth || y < 0 || y >= FHeight)
        return;
    Write([&](const TLockedPixels& pixels) {
        pixels.Bits[y * pixels.PitchPixels + x] = value;
        return TWritten({x, y, x + 1, y + 1});
    });
}

void TDirectDrawSurface::FillSolid(uint32_t value)
{
    Write([&](const TLockedPixels& pixels) {
        for (int32_t y = 0; y < pixels.Height; ++y)
            std::fill_n(pixels.Bits + y * pixels.PitchPixels, pixels.Width, value);
        return TWritten::Whole();
    });
}

uint32_t TDirectDrawSurface::ColorToPixel(TColor color)
{
    const TSurfaceReadLock lock(this);
    return lock.Locked() ? ColorToRGBPixel(color) : 0;
}

void TDirectDrawSurface::LoadPictureRect(const TGraphic& picture, int32_t w, int32_t h, const TRect& rect)
{
    const int64_t rectWidth = int64_t{rect.Right} - rect.Left;
    const int64_t rectHeight = int64_t{rect.Bottom} - rect.Top;
    const int64_t width = w == 0 ? rectWidth : w;
    const int64_t height = h == 0 ? rectHeight : h;
    if (width > std::numeric_limits<int32_t>::max() || height > std::numeric_limits<int32_t>::max())
        throw EDirectDrawSurfaceError(FormatMessage("%s cannot be made", "Surface"));
    Resize(static_cast<int32_t>(width), static_cast<int32_t>(height));
    if (!HasStorage() || rectWidth == 0 || rectHeight == 0)
        return;

    const TPixelImage& image = picture.Pixels();
    const bool complete = image.Width > 0 && image.Height > 0 &&
                          image.Pixels.size() >= static_cast<size_t>(image.Width) * static_cast<size_t>(image.Height);
    Write([&](const TLockedPixels& pixels) {
        // Nearest source pixel for each destination pixel; 1:1 when the sizes agree. Outside the picture is black.
        for (int64_t y = 0; y < FHeight; ++y) {
            uint32_t* row = pixels.Bits + y * pixels.PitchPixels;
            const int64_t sy = rect.Top + FloorDivide<int64_t>(y * rectHeight, FHeight);
            for (int64_t x = 0; x < FWidth; ++x) {
                const int64_t sx = rect.Left + FloorDivide<int64_t>(x * rectWidth, FWidth);
                const bool inside = complete && sx >= 0 && sx < image.Width && sy >= 0 && sy < image.Height;
                row[x] = inside ? image.At(static_cast<int32_t>(sx), static_cast<int32_t>(sy)) : 0;
            }
        }
        return TWritten::Whole();
    });
}

void TDirectDrawSurface::DrawSurface(int32_t x, int32_t y, const TRect& srcRect, TDirectDrawSurface* source,
                                     bool transparent)
{
    if (!source || source->Width() <= 0 || source->Height() <= 0 || x > FWidth || y > FHeight)
        return;
    // Wide arithmetic, so that no rectangle wraps around.
    int64_t dl = x;
    int64_t dt = y;
    int64_t dr = dl + (int64_t{srcRect.Right} - srcRect.Left);
    int64_t db = dt + (int64_t{srcRect.Bottom} - srcRect.Top);
    int64_t sl = srcRect.Left;
    int64_t st = srcRect.Top;
    int64_t sr = srcRect.Right;
    int64_t sb = srcRect.Bottom;
    const int64_t sourceWidth = source->Width();
    const int64_t sourceHeight = source->Height();
    if (0 > dl) {
        sl -= dl;
        dl = 0;
    }
    if (0 > dt) {
        st -= dt;
        dt = 0;
    }
    if (0 > sl) {
        dl -= sl;
        sl = 0;
    }
    if (0 > st) {
        dt -= st;
        st = 0;
    }
    if (FWidth < dr) {
        sr -= dr - FWidth;
        dr = FWidth;
    }
    if (FHeight < db) {
        sb -= db - FHeight;
        db = FHeight;
    }
    if (sourceWidth < sr) {
        dr -= sr - sourceWidth;
        sr = sourceWidth;
    }
    if (sourceHeight < sb) {
        db -= sb - sourceHeight;
        sb = sourceHeight;
    }
    if (!(dl < dr && dt < db && sl < sr && st < sb))
        return;

    const bool wholeCover = !transparent && source != this && dl == 0 && dt == 0 && dr == FWidth && db == FHeight;
    if (wholeCover && RedrawFromBase(*source, sl, st))
        return;

    const TWritten copied = Write([&](const TLockedPixels& pixels) {
        const TSurfaceReadLock srcLock(source);
        if (!srcLock.Locked())
            return TWritten{};
        const int64_t width = dr - dl;
        const int64_t height = db - dt;
        const uint32_t key = source->ColorKey() & 0xFFFFFFu;
        // A copy within one surface must not read what it has already written.
        const bool upward = source == this && dt > st;
        const bool leftward = source == this && dl > sl;
        for (int64_t i = 0; i < height; ++i) {
            const int64_t row = upward ? height - 1 - i : i;
            uint32_t* to = pixels.Bits + (dt + row) * pixels.PitchPixels + dl;
            const uint32_t* from = srcLock.Row(st + row) + sl;
            if (!transparent) {
                std::memmove(to, from, static_cast<size_t>(width) * sizeof(uint32_t));
                continue;
            }
            for (int64_t j = 0; j < width; ++j) {
                const int64_t col = leftward ? width - 1 - j : j;
                const uint32_t colour = from[col] & 0xFFFFFFu;
                if (colour != key)
                    to[col] = colour;
            }
        }
        if (wholeCover)
            return TWritten::Whole();
        return TWritten({static_cast<int32_t>(dl), static_cast<int32_t>(dt), static_cast<int32_t>(dr),
                         static_cast<int32_t>(db)});
    });
    if (wholeCover && copied.IsWhole()) {
        FBase = {source, source->FVersion, sl, st, FIncrementalCopies};
        FSinceBase.Clear();
    }
}

bool TDirectDrawSurface::RedrawFromBase(TDirectDrawSurface& source, int64_t left, int64_t top)
{
    if (!FBase.Valid || FBase.Source != &source || FBase.Version != source.FVersion || FBase.Left != left ||
        FBase.Top != top || FSinceBase.All())
        return false;
    const TSurfaceReadLock from(&source);
    if (!from.Locked())
        return false;
    // Only what was drawn since the last whole copy differs from it; copying that back gives the same pixels.
    const TWritten copied = Write([&](const TLockedPixels& to) {
        for (const TRect& r : FSinceBase.Rects()) {
            const auto width = static_cast<size_t>(r.Right - r.Left);
            for (int32_t y = r.Top; y < r.Bottom; ++y)
                std::memcpy(to.Bits + y * to.PitchPixels + r.Left, from.Row(y + top) + left + r.Left,
                            width * sizeof(uint32_t));
        }
        TWritten backToBase;
        backToBase.FBackToBase = true;
        return backToBase;
    });
    return copied.FBackToBase;
}

void TDirectDrawSurface::DrawSurfaceRotated(int32_t x, int32_t y, int32_t w, int32_t h, const TRect& srcRect,
                                            TDirectDrawSurface* source, double pivotX, double pivotY,
                                            bool transparent, int32_t angle)
{
    if (!source || FWidth <= 0 || FHeight <= 0 || w == 0 || h == 0 || source->Width() <= 0 ||
        source->Height() <= 0)
        return;
    Write([&](const TLockedPixels& pixels) {
        const TSurfaceReadLock srcLock(source);
        if (!srcLock.Locked())
            return TWritten{};
        return TWritten(RenderRotated(pixels, srcLock.Pixels(), x, y, w, h, srcRect, pivotX, pivotY, transparent,
                                      source->ColorKey(), angle));
    });
}
