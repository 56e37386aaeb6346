#pragma once
#include "drawing/DrawingSurface.h"
#include "drawing/Graphic.h"
#include "drawing/Rect.h"
#include "drawing/Surface.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TPictureCollection;

struct TPictureCollectionItemPattern {
    TRect Rect;
    // Which of the item's PatternSurfaces holds the pattern. An index rather than a pointer, so that a pattern
    // whose surface went with its device draws nothing.
    size_t SurfaceIndex = 0;
};

// One named picture cut into equally sized patterns.
class TPictureCollectionItem {
public:
    explicit TPictureCollectionItem(TPictureCollection& collection);
    ~TPictureCollectionItem();
    TPictureCollectionItem(const TPictureCollectionItem&) = delete;
    TPictureCollectionItem& operator=(const TPictureCollectionItem&) = delete;

    const std::string& Name() const { return FName; }
    void SetName(const std::string& value);
    int32_t Index() const;

    int32_t PatternWidth = 0;
    int32_t PatternHeight = 0;
    int32_t SkipWidth = 0;
    int32_t SkipHeight = 0;
    bool SystemMemory = false;
    bool Transparent = true;

    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor value);

    const TGraphic* Picture() const { return FPicture.get(); }
    // Copies the picture into the item's own.
    void SetPicture(const TGraphic& picture);

    // Pattern size: PatternWidth/Height when above 0, else the picture's size.
    int32_t Width() const;
    int32_t Height() const;
    bool Initialized() const { return FInitialized; }
    int32_t PatternCount() const { return static_cast<int32_t>(FPatterns.size()); }
    const std::vector<TPictureCollectionItemPattern>& Patterns() const { return FPatterns; }
    const std::vector<TSurfaceHandle>& PatternSurfaces() const { return FPatternSurfaces; }
    // The surface pattern n lies on; null for an index outside the patterns or a surface that is gone.
    TDirectDrawSurface* PatternSurface(int32_t pattern) const;

    void DrawPattern(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t pattern) const;
    void DrawRotated(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                     int32_t pattern, double pivotX, double pivotY, int32_t angle) const;

    void Initialize();
    void Finalize();
    void Restore();

private:
    friend class TPictureCollection;
    // Cuts the picture into patterns and loads it into PatternSurfaces.
    void BuildPatterns();
    // A new pattern surface holding pictureRect of the picture 1:1, keyed with TransparentColor; returns its index.
    size_t AddPatternSurface(const TRect& pictureRect);

    TPictureCollection& FCollection;
    std::string FName;
    TColor FTransparentColor = clBlack;
    std::unique_ptr<TGraphic> FPicture;
    bool FInitialized = false;
    std::vector<TPictureCollectionItemPattern> FPatterns;
    std::vector<TSurfaceHandle> FPatternSurfaces;
    TPictureCollectionItem* FNextInBucket = nullptr;
    mutable int32_t FCachedIndex = -1;
};

// The items in index order, found by name through a 256-bucket hash.
class TPictureCollection {
public:
    TPictureCollection();
    ~TPictureCollection();
    TPictureCollection(const TPictureCollection&) = delete;
    TPictureCollection& operator=(const TPictureCollection&) = delete;

    // Appends a new item and returns it.
    TPictureCollectionItem& Add();
    void Delete(int32_t index);
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    // Raises EPictureCollectionError for an index outside 0 .. Count() - 1.
    TPictureCollectionItem& Items(int32_t index) const;
    // Raises EPictureCollectionError "Image '%s' not found".
    TPictureCollectionItem& FindByName(const std::string& name) const;

    void Initialize(TCustomDXDraw& dxdraw);
    void Finalize();
    void Restore();
    bool Initialized() const;
    TCustomDXDraw* DXDraw() const { return FDXDraw; }

    std::array<uint8_t, 1024> ColorTable{};

private:
    friend class TPictureCollectionItem;
    // Raises EPictureCollectionError for an index outside 0 .. Count() - 1.
    void CheckIndex(int32_t index) const;
    static uint8_t Bucket(const std::string& name);
    void Rehash(TPictureCollectionItem& item);
    void Unhash(TPictureCollectionItem& item);

    std::vector<std::unique_ptr<TPictureCollectionItem>> FItems;
    std::array<TPictureCollectionItem*, 256> FBuckets{};
    TCustomDXDraw* FDXDraw = nullptr;
};

// The image-list component: its collection follows the drawing surface it is bound to.
class TCustomDXImageList {
public:
    TCustomDXImageList();
    ~TCustomDXImageList();
    TCustomDXImageList(const TCustomDXImageList&) = delete;
    TCustomDXImageList& operator=(const TCustomDXImageList&) = delete;

    TPictureCollection& Items() { return FItems; }
    TCustomDXDraw* DXDraw() const { return FDXDraw; }
    void SetDXDraw(TCustomDXDraw* value);

private:
    void DXDrawNotifyEvent(TCustomDXDraw& sender, TDXDrawNotice notice);
    TPictureCollection FItems;
    TCustomDXDraw* FDXDraw = nullptr;
};

using TDXImageList = TCustomDXImageList;
