#pragma once
// An image list bound to an initialised drawing surface in a headless window.
#include "TestGraphic.h"

#include "drawing/DrawingSurface.h"
#include "drawing/ImageList.h"
#include "platform/HeadlessWindow.h"

#include <gtest/gtest.h>

class ImageListFixture : public testing::Test {
protected:
    ImageListFixture()
    {
        List.SetDXDraw(&DXDraw);
        DXDraw.Initialize();
    }

    // A new item holding picture, with its patterns and surfaces built.
    TPictureCollectionItem& AddItem(const TGraphic& picture, int32_t patternWidth = 0, int32_t patternHeight = 0)
    {
        TPictureCollectionItem& item = List.Items().Add();
        item.SetPicture(picture);
        item.PatternWidth = patternWidth;
        item.PatternHeight = patternHeight;
        item.Restore();
        return item;
    }

    THeadlessWindow Window{1076, 750};
    TDXDraw DXDraw{Window};
    TDXImageList List;
};

// An image list with one item and two drawing surfaces in headless windows, neither initialised nor bound yet.
class TwoDrawingSurfaces : public testing::Test {
protected:
    TPictureCollectionItem& AddItem(const TGraphic& picture, int32_t patternWidth = 0)
    {
        TPictureCollectionItem& item = List.Items().Add();
        item.SetPicture(picture);
        item.PatternWidth = patternWidth;
        return item;
    }

    THeadlessWindow WindowA{200, 100};
    THeadlessWindow WindowB{300, 100};
    TDXDraw A{WindowA};
    TDXDraw B{WindowB};
    TDXImageList List;
};
