#include "drawing/Errors.h"
#include "drawing/ImageList.h"

#include <algorithm>

namespace {

// Surfaces in display memory are kept to about this many pixels across and down.
constexpr int64_t TileTarget = 512;

TRect MakeRect(int64_t left, int64_t top, int64_t width, int64_t height)
{
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + width),
            static_cast<int32_t>(top + height)};
}

// The smallest multiple of the pattern pitch that reaches the tile target, but no more than whole columns.
int64_t TileExtent(int64_t pitch, int64_t count)
{
    return std::min(pitch * ((pitch + TileTarget - 1) / pitch), pitch * count);
}

} // namespace

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection& collection) : FCollection(collection)
{
}

TPictureCollectionItem::~TPictureCollectionItem()
{
    Finalize();
    FCollection.Unhash(*this);
}

void TPictureCollectionItem::SetName(const std::string& value)
{
    if (value == FName)
        return;
    FCollection.Unhash(*this);
    FName = value;
    FCollection.Rehash(*this);
}

int32_t TPictureCollectionItem::Index() const
{
    return FCachedIndex;
}

void TPictureCollectionItem::SetTransparentColor(TColor value)
{
    if (value == FTransparentColor)
        return;
    FTransparentColor = value;
    for (const TSurfaceHandle& surface : FPatternSurfaces) {
        if (surface)
            surface->SetColorKey(surface->ColorToPixel(value));
    }
}

void TPictureCollectionItem::SetPicture(const TGraphic& picture)
{
    FPicture = picture.Clone();
}

int32_t TPictureCollectionItem::Width() const
{
    if (PatternWidth > 0)
        return PatternWidth;
    return FPicture ? FPicture->Width() : 0;
}

int32_t TPictureCollectionItem::Height() const
{
    if (PatternHeight > 0)
        return PatternHeight;
    return FPicture ? FPicture->Height() : 0;
}

TDirectDrawSurface* TPictureCollectionItem::PatternSurface(int32_t pattern) const
{
    if (pattern < 0 || pattern >= PatternCount())
        return nullptr;
    return FPatternSurfaces[FPatterns[static_cast<size_t>(pattern)].SurfaceIndex].Get();
}

void TPictureCollectionItem::DrawPattern(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t pattern) const
{
    if (!FInitialized || pattern < 0 || pattern >= PatternCount())
        return;
    dest.DrawSurface(x, y, FPatterns[static_cast<size_t>(pattern)].Rect, PatternSurface(pattern), Transparent);
}

void TPictureCollectionItem::DrawRotated(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t width,
                                         int32_t height, int32_t pattern, double pivotX, double pivotY,
                                         int32_t angle) const
{
    if (!FInitialized || pattern < 0 || pattern >= PatternCount())
        return;
    dest.DrawSurfaceRotated(x, y, width, height, FPatterns[static_cast<size_t>(pattern)].Rect,
                            PatternSurface(pattern), pivotX, pivotY, Transparent, angle);
}

void TPictureCollectionItem::Initialize()
{
    Finalize();
    FInitialized = FCollection.Initialized();
}

void TPictureCollectionItem::Finalize()
{
    if (!FInitialized)
        return;
    FInitialized = false;
    FPatterns.clear();
    FPatternSurfaces.clear();
}

void TPictureCollectionItem::Restore()
{
    if (!FPicture || FPicture->Empty())
        return;
    if (!FInitialized) {
        if (FCollection.Initialized())
            Initialize();
        if (!FInitialized)
            return;
    }
    FPatterns.clear();
    FPatternSurfaces.clear();
    BuildPatterns();
    // The surfaces hold what is drawn from now on; a picture lost with them is decoded again.
    FPicture->ReleasePixels();
}

size_t TPictureCollectionItem::AddPatternSurface(const TRect& pictureRect)
{
    TSurfaceHandle surface = FCollection.DXDraw()->DDraw()->CreateSurface();
    surface->SetSystemMemory(SystemMemory);
    surface->LoadPictureRect(*FPicture, 0, 0, pictureRect);
    surface->SetColorKey(surface->ColorToPixel(FTransparentColor));
    FPatternSurfaces.push_back(std::move(surface));
    return FPatternSurfaces.size() - 1;
}

void TPictureCollectionItem::BuildPatterns()
{
    // 64-bit arithmetic, so that absurd pattern or skip values cannot overflow.
    const int64_t pw = FPicture->Width();
    const int64_t ph = FPicture->Height();
    const int64_t w = Width();
    const int64_t h = Height();

    if (w == pw && h == ph) {
        const TRect whole = MakeRect(0, 0, pw, ph);
        FPatterns.push_back({whole, AddPatternSurface(whole)});
        return;
    }

    const int64_t sx = SkipWidth;
    const int64_t sy = SkipHeight;
    const int64_t px = w + sx;
    const int64_t py = h + sy;
    if (px <= 0 || py <= 0)
        return;
    const int64_t cols = (pw + sx) / px;
    const int64_t rows = (ph + sy) / py;
    // A pattern larger than the picture gives none.
    if (cols <= 0 || rows <= 0)
        return;
    const int64_t count = rows * cols;
    FPatterns.reserve(static_cast<size_t>(count));

    // Negative skips make neighbouring patterns overlap; tiles could not keep them apart.
    if (SystemMemory || sx < 0 || sy < 0) {
        const size_t surface = AddPatternSurface(MakeRect(0, 0, pw, ph));
        for (int64_t n = 0; n < count; ++n)
            FPatterns.push_back({MakeRect((n % cols) * px, (n / cols) * py, w, h), surface});
        return;
    }

    const int64_t tw = TileExtent(px, cols);
    const int64_t th = TileExtent(py, rows);
    const int64_t across = (pw + tw - 1) / tw;
    const int64_t down = (ph + th - 1) / th;
    std::vector<size_t> tiles;
    tiles.reserve(static_cast<size_t>(across * down));
    for (int64_t r = 0; r < down; ++r) {
        for (int64_t c = 0; c < across; ++c)
            tiles.push_back(AddPatternSurface(
                MakeRect(c * tw, r * th, std::min(tw, pw - c * tw), std::min(th, ph - r * th))));
    }
    for (int64_t n = 0; n < count; ++n) {
        const int64_t x = (n % cols) * px;
        const int64_t y = (n / cols) * py;
        const size_t tile = tiles[static_cast<size_t>((y / th) * across + x / tw)];
        FPatterns.push_back({MakeRect(x % tw, y % th, w, h), tile});
    }
}
