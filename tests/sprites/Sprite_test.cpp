#include "RecordingSprite.h"

#include "drawing/Device.h"
#include "drawing/Surface.h"
#include "sprites/SpriteEngine.h"
#include "sprites/SpriteError.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

using Log = std::vector<std::string>;

// An engine bound to a 100 x 80 surface.
class SpriteTree : public ::testing::Test {
protected:
    SpriteTree()
    {
        surface->Resize(100, 80);
        engine.SetSurface(surface.Get());
    }

    // A 10 x 10 sprite at the surface's corner.
    TRecordingSprite* Make(TSprite* parent, const std::string& name)
    {
        auto* s = new TRecordingSprite(parent, log, name);
        s->Width = s->Height = 10;
        return s;
    }

    Log log;
    TDirectDraw device;
    TSurfaceHandle surface = device.CreateSurface();
    TSpriteEngine engine;
};

TEST_F(SpriteTree, CreationLinksParentEngineAndDefaults)
{
    TSprite* a = Make(&engine, "a");
    TSprite* child = Make(a, "child");
    EXPECT_EQ(a->Parent(), &engine);
    EXPECT_EQ(a->Engine(), &engine);
    EXPECT_EQ(child->Parent(), a);
    EXPECT_EQ(child->Engine(), &engine) << "a grandchild reaches the engine through its parent";
    EXPECT_EQ(engine.Engine(), nullptr);
    EXPECT_EQ(engine.Parent(), nullptr);
    EXPECT_TRUE(child->Moving);
    EXPECT_TRUE(child->Visible);
    EXPECT_EQ(engine.Count(), 1);
    EXPECT_EQ(a->Items(0), child);

    TSprite loose(nullptr);
    EXPECT_EQ(loose.Engine(), nullptr);
    EXPECT_EQ(loose.Count(), 0);
}

TEST_F(SpriteTree, EqualDepthsDrawNewestFirstAndMoveOldestFirst)
{
    Make(&engine, "A");
    Make(&engine, "B");
    Make(&engine, "C");
    engine.DrawAll();
    EXPECT_EQ(log, (Log{"render:C", "render:B", "render:A"}));
    log.clear();
    engine.MoveAll(1);
    EXPECT_EQ(log, (Log{"move:A:1", "move:B:1", "move:C:1"}));
}

TEST_F(SpriteTree, InsertionFindsFirstEntryNotShallowerThanZero)
{
    TSprite* a = Make(&engine, "A");
    a->Z = -5;
    TSprite* b = Make(&engine, "B");
    b->Z = 5;
    TSprite* c = Make(&engine, "C");
    TSprite* d = Make(&engine, "D");
    EXPECT_EQ(engine.DrawList(), (std::vector<TSprite*>{a, d, c, b}));
    EXPECT_EQ(engine.Children(), (std::vector<TSprite*>{a, b, c, d}));
    engine.DrawAll();
    EXPECT_EQ(log, (Log{"render:A", "render:D", "render:C", "render:B"}));
}

TEST_F(SpriteTree, ParentAdvancesBeforeItsChildrenAndIsDrawnBeforeThem)
{
    TSprite* p = Make(&engine, "P");
    Make(p, "c1");
    Make(p, "c2");
    engine.MoveAll(2);
    EXPECT_EQ(log, (Log{"move:P:2", "move:c1:2", "move:c2:2"}));
    log.clear();
    engine.DrawAll();
    EXPECT_EQ(log, (Log{"render:P", "render:c2", "render:c1"}));
}

TEST_F(SpriteTree, HiddenSpriteHidesSubtreeAndFrozenSpriteFreezesSubtree)
{
    TSprite* p = Make(&engine, "P");
    TSprite* child = Make(p, "child");
    Make(&engine, "other");

    p->Visible = false;
    engine.DrawAll();
    EXPECT_EQ(log, (Log{"render:other"}));

    log.clear();
    p->Moving = false;
    engine.MoveAll(1);
    EXPECT_EQ(log, (Log{"move:other:1"}));

    log.clear();
    p->Visible = p->Moving = true;
    child->Visible = false;
    engine.DrawAll();
    EXPECT_EQ(log, (Log{"render:other", "render:P"})) << "a hidden child leaves its parent drawn";
}

struct CullCase {
    const char* name;
    double x;
    double y;
    int32_t width;
    int32_t height;
    bool rendered;
};

class Culling : public SpriteTree, public ::testing::WithParamInterface<CullCase> {};

TEST_P(Culling, RendersOnlyWhatStrictlyOverlapsTheSurface)
{
    const CullCase& c = GetParam();
    TSprite* s = Make(&engine, "s");
    s->X = c.x;
    s->Y = c.y;
    s->Width = c.width;
    s->Height = c.height;
    engine.DrawAll();
    EXPECT_EQ(!log.empty(), c.rendered);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, Culling,
    ::testing::Values(CullCase{"Inside", 0, 0, 10, 10, true},
                      CullCase{"LeftEdgeOnRightBorder", 100, 0, 10, 10, false},
                      CullCase{"OneColumnInsideRight", 99, 0, 10, 10, true},
                      CullCase{"FractionInsideRight", 99.9, 0, 10, 10, true},
                      CullCase{"RightEdgeOnLeftBorder", -10, 0, 10, 10, false},
                      CullCase{"OneColumnInsideLeft", -9, 0, 10, 10, true},
                      CullCase{"TruncatedTowardZeroLeft", -10.5, 0, 10, 10, false},
                      CullCase{"TruncatedIntoSurfaceLeft", -9.5, 0, 10, 10, true},
                      CullCase{"TopEdgeOnBottomBorder", 0, 80, 10, 10, false},
                      CullCase{"OneRowInsideBottom", 0, 79, 10, 10, true},
                      CullCase{"BottomEdgeOnTopBorder", 0, -10, 10, 10, false},
                      CullCase{"OneRowInsideTop", 0, -9, 10, 10, true},
                      CullCase{"ZeroWidth", 5, 5, 0, 10, false},
                      CullCase{"ZeroHeight", 5, 5, 10, 0, false},
                      CullCase{"NegativeWidth", 5, 5, -3, 10, false},
                      CullCase{"CoversEverything", -50, -50, 500, 500, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(SpriteTree, CullingUsesThePositionOnTheSurface)
{
    TSprite* p = Make(&engine, "P");
    p->X = 50;
    p->Width = 0; // a bare container, never rendered itself
    TSprite* c = Make(p, "c");
    c->X = 55;
    engine.DrawAll();
    EXPECT_TRUE(log.empty()) << "at 105 the child is off the 100-pixel surface";
    c->X = 45;
    engine.DrawAll();
    EXPECT_EQ(log, (Log{"render:c"}));
}

TEST_F(SpriteTree, NothingRendersWithoutASurfaceEverAttached)
{
    TSpriteEngine bare;
    TSprite* s = new TRecordingSprite(&bare, log, "s");
    s->Width = s->Height = 10;
    bare.DrawAll();
    EXPECT_TRUE(log.empty());
}

TEST_F(SpriteTree, DetachingKeepsTheLastSurfaceRect)
{
    EXPECT_EQ(engine.SurfaceRect(), (TRect{0, 0, 100, 80}));
    engine.SetSurface(nullptr);
    EXPECT_EQ(engine.Surface(), nullptr);
    EXPECT_EQ(engine.SurfaceRect(), (TRect{0, 0, 100, 80}));
}

struct BoundsCase {
    double parentX;
    double x;
    double y;
    TRect expected;
};

class Bounds : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(Bounds, CornerIsTheAbsolutePositionTruncatedTowardZero)
{
    const BoundsCase& c = GetParam();
    TSprite parent(nullptr);
    parent.X = c.parentX;
    TSprite* s = new TSprite(&parent);
    s->X = c.x;
    s->Y = c.y;
    s->Width = 7;
    s->Height = 3;
    EXPECT_DOUBLE_EQ(s->AbsoluteX(), c.parentX + c.x);
    EXPECT_EQ(s->BoundingRect(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Truncation, Bounds,
                         ::testing::Values(BoundsCase{0, -0.7, 0, {0, 0, 7, 3}},
                                           BoundsCase{0, 0, -0.7, {0, 0, 7, 3}},
                                           BoundsCase{0, -1.2, 2.9, {-1, 2, 6, 5}},
                                           BoundsCase{10, 0.9, 0, {10, 0, 17, 3}},
                                           BoundsCase{-0.5, -0.4, 0, {0, 0, 7, 3}},
                                           BoundsCase{0, 1e12, -1e12,
                                                      {INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN + 3}}));

TEST_F(SpriteTree, IndexOnASpriteWithoutChildrenRaisesSpriteError)
{
    TSprite* s = Make(&engine, "s");
    for (int32_t index : {0, 3, -1}) {
        try {
            s->Items(index);
            ADD_FAILURE() << "no error for index " << index;
        } catch (const ESpriteError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Index of the list exceeds the range. (" + std::to_string(index) + ")");
        }
    }
    EXPECT_THROW(engine.Items(1), std::out_of_range);
    EXPECT_THROW(engine.Items(-1), std::out_of_range);
}

TEST_F(SpriteTree, DeletingASpriteFreesItsChildrenLastFirstAndLeavesTheParent)
{
    TSprite* a = Make(&engine, "A");
    TSprite* b = Make(&engine, "B");
    TSprite* c = Make(&engine, "C");
    Make(b, "b1");
    Make(b, "b2");
    TSprite* b3 = Make(b, "b3");
    Make(b3, "b3x");

    delete b;
    EXPECT_EQ(log, (Log{"free:B", "free:b3", "free:b3x", "free:b2", "free:b1"}));
    EXPECT_EQ(engine.Children(), (std::vector<TSprite*>{a, c}));
    EXPECT_EQ(engine.DrawList(), (std::vector<TSprite*>{c, a}));

    log.clear();
    delete a;
    delete c;
    EXPECT_EQ(engine.Count(), 0);
    EXPECT_TRUE(engine.DrawList().empty());
    EXPECT_THROW(engine.Items(0), ESpriteError) << "the engine has no children left";
}

TEST(SpriteEngineLifetime, DestroyingTheEngineFreesEverySprite)
{
    Log log;
    {
        TSpriteEngine engine;
        for (const char* name : {"A", "B", "C"}) {
            auto* s = new TRecordingSprite(&engine, log, name);
            new TRecordingSprite(s, log, std::string(name) + "1");
        }
    }
    EXPECT_EQ(log, (Log{"free:C", "free:C1", "free:B", "free:B1", "free:A", "free:A1"}));
}

TEST_F(SpriteTree, ASpriteThatFreesASiblingWhileAdvancingStopsTheLoopSafely)
{
    // The killer frees the sprite after it; the loop must not run past the shortened list.
    struct TKiller : TSprite {
        using TSprite::TSprite;
        TSprite* victim = nullptr;
        void Advance(int32_t) override
        {
            delete victim;
            victim = nullptr;
        }
    };
    auto* killer = NewSprite<TKiller>(&engine);
    killer->victim = Make(&engine, "victim");
    engine.MoveAll(1);
    EXPECT_EQ(log, (Log{"free:victim"}));
    EXPECT_EQ(engine.Count(), 1);
}

} // namespace
