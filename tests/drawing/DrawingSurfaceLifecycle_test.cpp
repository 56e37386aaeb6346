#include "DrawingSurfaceLog.h"

#include "drawing/DrawingSurface.h"
#include "drawing/Errors.h"
#include "platform/HeadlessWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

using Log = std::vector<std::string>;

int OwnerA;
int OwnerB;

class DrawingSurfaceLifecycle : public testing::Test {
protected:
    TDXDrawLog Events; // outlives the component, which still reports to it when destroyed
    THeadlessWindow Window{1076, 750};
    std::unique_ptr<TDXDraw> DXDraw = std::make_unique<TDXDraw>(Window);
};

TEST_F(DrawingSurfaceLifecycle, InitialisationTellsListenersAndFiresEventsInOrder)
{
    Events.WatchEvents(*DXDraw);
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    Events.Take();

    DXDraw->Initialize();
    EXPECT_TRUE(DXDraw->Initialized());
    EXPECT_EQ(Events.Take(), (Log{"OnInitializing", "A:Initializing", "A:Changed", "A:Initialized", "OnInitialize",
                                  "A:SurfaceInitialized", "OnInitializeSurface", "A:Restored", "OnRestoreSurface"}));

    DXDraw->Finalize();
    EXPECT_FALSE(DXDraw->Initialized());
    EXPECT_EQ(Events.Take(), (Log{"OnFinalizeSurface", "A:SurfaceFinalized", "OnFinalize", "A:Finalized"}));

    DXDraw->Finalize();
    EXPECT_TRUE(Events.Take().empty()) << "a second Finalize has nothing left to do";
}

TEST_F(DrawingSurfaceLifecycle, DestroyingAnInitialisedComponentFinalisesFirst)
{
    Events.WatchEvents(*DXDraw);
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    DXDraw->Initialize();
    Events.Take();

    DXDraw.reset();
    EXPECT_EQ(Events.Take(),
              (Log{"OnFinalizeSurface", "A:SurfaceFinalized", "OnFinalize", "A:Finalized", "A:Destroying"}));
}

TEST_F(DrawingSurfaceLifecycle, BroadcastsReachTheLatestListenerFirst)
{
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    DXDraw->AddListener(&OwnerB, Events.Listener("B"));
    Events.Take();

    DXDraw->Initialize();
    DXDraw->Finalize();
    DXDraw.reset();
    EXPECT_EQ(Events.Take(), (Log{"B:Initializing", "A:Initializing", "B:Changed", "A:Changed", "B:Initialized",
                                  "A:Initialized", "B:SurfaceInitialized", "A:SurfaceInitialized", "B:Restored",
                                  "A:Restored", "B:SurfaceFinalized", "A:SurfaceFinalized", "B:Finalized",
                                  "A:Finalized", "B:Destroying", "A:Destroying"}));
}

TEST_F(DrawingSurfaceLifecycle, ListenersJoiningOrLeavingHearTheCurrentState)
{
    struct TCase {
        bool Initialised;
        Log OnAdd;
        Log OnRemove;
    };
    for (const TCase& c : {TCase{false, {"A:Changed"}, {}},
                           TCase{true,
                                 {"A:Changed", "A:Initialized", "A:SurfaceInitialized", "A:Restored"},
                                 {"A:SurfaceFinalized", "A:Finalized"}}}) {
        TDXDrawLog log;
        THeadlessWindow window(200, 100);
        TDXDraw dxdraw(window);
        if (c.Initialised)
            dxdraw.Initialize();
        dxdraw.AddListener(&OwnerA, log.Listener("A"));
        EXPECT_EQ(log.Take(), c.OnAdd);
        dxdraw.RemoveListener(&OwnerA);
        EXPECT_EQ(log.Take(), c.OnRemove);
        dxdraw.RemoveListener(&OwnerA);
        EXPECT_TRUE(log.Take().empty()) << "removing twice";
        dxdraw.Finalize();
        EXPECT_TRUE(log.Take().empty()) << "a removed listener hears nothing";
    }
}

TEST_F(DrawingSurfaceLifecycle, AddingAnOwnerAgainReplacesItsRegistration)
{
    DXDraw->Initialize();
    DXDraw->AddListener(&OwnerA, Events.Listener("old"));
    Events.Take();

    DXDraw->AddListener(&OwnerA, Events.Listener("new"));
    EXPECT_EQ(Events.Take(), (Log{"old:SurfaceFinalized", "old:Finalized", "new:Changed", "new:Initialized",
                                  "new:SurfaceInitialized", "new:Restored"}));
    DXDraw->Finalize();
    EXPECT_EQ(Events.Take(), (Log{"new:SurfaceFinalized", "new:Finalized"}));
}

TEST_F(DrawingSurfaceLifecycle, ListenersMayLeaveWhileTheyAreBeingTold)
{
    // Both leave on NoticeDestroying, as the image list and the sprite engine do.
    for (int* owner : {&OwnerA, &OwnerB}) {
        const std::string name = owner == &OwnerA ? "A" : "B";
        DXDraw->AddListener(owner, [this, owner, name](TCustomDXDraw& sender, TDXDrawNotice notice) {
            Events.Entries.push_back(name + ":" + NoticeName(notice));
            if (notice == NoticeDestroying)
                sender.RemoveListener(owner);
        });
    }
    Events.Take();
    DXDraw.reset();
    EXPECT_EQ(Events.Take(), (Log{"B:Destroying", "A:Destroying"}));
}

TEST_F(DrawingSurfaceLifecycle, AListenerAddedDuringInitialisationWaitsForTheRestoreBroadcast)
{
    DXDraw->OnInitialize = [this](TCustomDXDraw& sender) { sender.AddListener(&OwnerB, Events.Listener("late")); };
    DXDraw->Initialize();
    EXPECT_EQ(Events.Take(), (Log{"late:Changed", "late:Initialized", "late:SurfaceInitialized", "late:Restored"}));
}

TEST_F(DrawingSurfaceLifecycle, WithoutAParentFormInitialisationFails)
{
    Window.SetParentForm(false);
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    Events.Take();
    try {
        DXDraw->Initialize();
        ADD_FAILURE() << "initialised without a form";
    } catch (const EDXDrawError& e) {
        EXPECT_STREQ(e.what(), "Form not found");
    }
    EXPECT_FALSE(DXDraw->Initialized());
    EXPECT_TRUE(Events.Take().empty());

    // The attempt is remembered: showing the form later does not try again.
    Window.SetParentForm(true);
    DXDraw->FormShown();
    EXPECT_FALSE(DXDraw->Initialized());
}

TEST_F(DrawingSurfaceLifecycle, FailuresToMakeSurfacesFinaliseAndName)
{
    // The device refuses anything beyond 2^26 pixels: a huge stored size spoils the back buffer. The window
    // itself shows the frames, so its size does not matter to the presentation target.
    {
        THeadlessWindow huge(200000, 1000);
        TDXDraw dxdraw(huge);
        dxdraw.SetAutoSize(false);
        dxdraw.SetSurfaceWidth(100);
        dxdraw.SetSurfaceHeight(1000);
        dxdraw.Initialize();
        EXPECT_TRUE(dxdraw.Initialized());
    }
    TDXDrawLog log;
    THeadlessWindow window(100, 1000);
    TDXDraw dxdraw(window);
    dxdraw.SetAutoSize(false);
    dxdraw.SetSurfaceWidth(200000);
    dxdraw.SetSurfaceHeight(1000);
    log.WatchEvents(dxdraw);
    dxdraw.AddListener(&OwnerA, log.Listener("A"));
    log.Take();
    try {
        dxdraw.Initialize();
        ADD_FAILURE() << "Surface cannot be made";
    } catch (const EDXDrawError& e) {
        EXPECT_STREQ(e.what(), "Surface cannot be made");
    }
    EXPECT_FALSE(dxdraw.Initialized());
    EXPECT_EQ(dxdraw.Surface(), nullptr);
    EXPECT_EQ(log.Take(), (Log{"OnInitializing", "A:Initializing", "A:SurfaceFinalized", "A:Finalized"}));
}

TEST_F(DrawingSurfaceLifecycle, FormShownInitialisesOnlyOnce)
{
    DXDraw->AutoInitialize = false;
    DXDraw->FormShown();
    EXPECT_FALSE(DXDraw->Initialized());

    DXDraw->AutoInitialize = true;
    DXDraw->FormShown();
    EXPECT_TRUE(DXDraw->Initialized());

    DXDraw->FormDestroyed();
    EXPECT_FALSE(DXDraw->Initialized());
    DXDraw->FormShown();
    EXPECT_FALSE(DXDraw->Initialized()) << "the attempt mark stays";
}

TEST_F(DrawingSurfaceLifecycle, AFailingFinaliseHandlerStillReleasesEverything)
{
    Events.WatchEvents(*DXDraw);
    DXDraw->OnFinalizeSurface = [](TCustomDXDraw&) { throw std::runtime_error("surface handler"); };
    DXDraw->OnFinalize = [](TCustomDXDraw&) { throw std::runtime_error("finalize handler"); };
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    DXDraw->Initialize();
    Events.Take();

    try {
        DXDraw->Finalize();
        ADD_FAILURE() << "the handler's error was swallowed";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "surface handler");
    }
    EXPECT_EQ(Events.Take(), (Log{"A:SurfaceFinalized", "A:Finalized"}));
    EXPECT_FALSE(DXDraw->Initialized());
    EXPECT_EQ(DXDraw->DDraw(), nullptr);
}

TEST_F(DrawingSurfaceLifecycle, AFailingListenerDoesNotKeepOthersFromHearing)
{
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    DXDraw->AddListener(&OwnerB, [](TCustomDXDraw&, TDXDrawNotice notice) {
        if (notice == NoticeFinalized)
            throw std::runtime_error("listener");
    });
    DXDraw->Initialize();
    Events.Take();
    EXPECT_THROW(DXDraw->Finalize(), std::runtime_error);
    EXPECT_EQ(Events.Take(), (Log{"A:SurfaceFinalized", "A:Finalized"}));
    EXPECT_FALSE(DXDraw->Initialized());
}

class DrawingSurfaceSize : public DrawingSurfaceLifecycle {};

TEST_F(DrawingSurfaceSize, AutoSizeFollowsTheControlBeforeAndAfterInitialisation)
{
    DXDraw->BeginLoading();
    DXDraw->SetSurfaceWidth(640);
    DXDraw->SetSurfaceHeight(480);
    DXDraw->Loaded();
    EXPECT_EQ(DXDraw->SurfaceWidth(), 1076);
    EXPECT_EQ(DXDraw->SurfaceHeight(), 750);

    DXDraw->Initialize();
    ASSERT_NE(DXDraw->Surface(), nullptr);
    EXPECT_EQ(DXDraw->Surface()->Width(), 1076);
    EXPECT_EQ(DXDraw->Surface()->Height(), 750);
    EXPECT_EQ(DXDraw->SurfaceWidth(), 1076);
    EXPECT_EQ(DXDraw->SurfaceHeight(), 750);
}

TEST_F(DrawingSurfaceSize, WhileLoadingSizesAreOnlyStored)
{
    DXDraw->SetAutoSize(false);
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    Events.Take();
    DXDraw->BeginLoading();
    DXDraw->SetSurfaceWidth(320);
    DXDraw->SetSurfaceHeight(240);
    EXPECT_TRUE(Events.Take().empty());
    DXDraw->Loaded();
    EXPECT_EQ(Events.Take(), (Log{"A:Changed"}));
    EXPECT_EQ(DXDraw->SurfaceWidth(), 320);
    EXPECT_EQ(DXDraw->SurfaceHeight(), 240);
}

TEST_F(DrawingSurfaceSize, LoadedWithoutAFormToHookTriesToInitialiseAtOnce)
{
    Window.SetParentForm(false);
    EXPECT_THROW(DXDraw->Loaded(), EDXDrawError);

    THeadlessWindow window(100, 100);
    TDXDraw dxdraw(window);
    dxdraw.Loaded();
    EXPECT_FALSE(dxdraw.Initialized()) << "with a form it waits for the first showing";
}

TEST_F(DrawingSurfaceSize, ResizingWhileInitialisedRecreatesTheSameBackBuffer)
{
    Events.WatchEvents(*DXDraw);
    DXDraw->AddListener(&OwnerA, Events.Listener("A"));
    DXDraw->Initialize();
    TDirectDrawSurface* surface = DXDraw->Surface();
    surface->WritePixel(10, 10, 0xFFFFFF);
    Events.Take();

    Window.SetClientSize(800, 600);
    DXDraw->BoundsChanged();
    EXPECT_EQ(Events.Take(), (Log{"A:SurfaceFinalized", "OnFinalizeSurface", "A:SurfaceInitialized",
                                  "OnInitializeSurface", "A:Changed"}));
    ASSERT_EQ(DXDraw->Surface(), surface);
    EXPECT_EQ(surface->Width(), 800);
    EXPECT_EQ(surface->Height(), 600);
    EXPECT_EQ(surface->ReadPixel(10, 10), 0u) << "a new back buffer starts black";

    DXDraw->BoundsChanged();
    EXPECT_TRUE(Events.Take().empty()) << "the same size again changes nothing";

    // The size survives finalisation as the stored size.
    DXDraw->Finalize();
    EXPECT_EQ(DXDraw->SurfaceWidth(), 800);
    EXPECT_EQ(DXDraw->SurfaceHeight(), 600);
}

TEST_F(DrawingSurfaceSize, SizesBelowOneGiveAOnePixelBackBuffer)
{
    DXDraw->SetAutoSize(false);
    DXDraw->Initialize();
    DXDraw->SetSurfaceWidth(0);
    DXDraw->SetSurfaceHeight(-5);
    EXPECT_EQ(DXDraw->SurfaceWidth(), 1);
    EXPECT_EQ(DXDraw->SurfaceHeight(), 1);
}

TEST_F(DrawingSurfaceSize, AutoSizeSwitchedOnTakesTheControlSize)
{
    DXDraw->SetAutoSize(false);
    DXDraw->SetSurfaceWidth(10);
    DXDraw->SetSurfaceHeight(20);
    EXPECT_EQ(DXDraw->SurfaceWidth(), 10);
    EXPECT_EQ(DXDraw->SurfaceHeight(), 20);
    DXDraw->SetAutoSize(true);
    EXPECT_EQ(DXDraw->SurfaceWidth(), 1076);
    EXPECT_EQ(DXDraw->SurfaceHeight(), 750);
}

TEST_F(DrawingSurfaceSize, AFailedResizeFinalisesAndPropagates)
{
    DXDraw->SetAutoSize(false);
    DXDraw->Initialize();
    DXDraw->DDraw()->SetMaxSurfacePixels(1000);
    try {
        DXDraw->SetSurfaceWidth(2000);
        ADD_FAILURE() << "the resize succeeded";
    } catch (const EDirectDrawSurfaceError& e) {
        EXPECT_STREQ(e.what(), "Surface cannot be made");
    }
    EXPECT_FALSE(DXDraw->Initialized());
    EXPECT_EQ(DXDraw->Surface(), nullptr);
}

} // namespace
