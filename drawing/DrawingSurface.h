#pragma once
#include "drawing/Device.h"
#include "drawing/Surface.h"
#include "platform/PresentWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum TDXDrawOption : uint32_t {
    doFullScreen,
    doNoWindowChange,
    doAllowReboot,
    doWaitVBlank,
    doAllowPalette256,
    doSystemMemory,
    doStretch,
    doCenter,
    doFlip,
    do3D,
    doDirectX7Mode,
    doRetainedMode,
    doHardware,
    doSelectDriver,
    doZBuffer,
};

// A set of TDXDrawOption, bit n for option n.
class TDXDrawOptions {
public:
    constexpr TDXDrawOptions() = default;
    constexpr TDXDrawOptions(std::initializer_list<TDXDrawOption> options)
    {
        for (auto o : options)
            FBits |= 1u << o;
    }
    constexpr bool Has(TDXDrawOption o) const { return (FBits >> o) & 1u; }
    constexpr void Include(TDXDrawOption o) { FBits |= 1u << o; }
    constexpr void Exclude(TDXDrawOption o) { FBits &= ~(1u << o); }
    constexpr uint32_t Bits() const { return FBits; }
    friend constexpr bool operator==(TDXDrawOptions, TDXDrawOptions) = default;

private:
    uint32_t FBits = 0;
};

enum TDXDrawNotice {
    NoticeDestroying = 0,
    NoticeInitializing = 1,
    NoticeInitialized = 2,
    NoticeSurfaceInitialized = 3,
    NoticeFinalized = 4,
    NoticeSurfaceFinalized = 5,
    NoticeRestored = 6,
    NoticeChanged = 7,
};

class TCustomDXDraw;
class TDXDrawDriver;

// Full-screen display settings; inert in a window, only their rules are kept.
class TDXDrawDisplay {
public:
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetWidth(int32_t value) { FWidth = value < 0 ? 0 : value; }
    void SetHeight(int32_t value) { FHeight = value < 0 ? 0 : value; }
    int32_t BitCount() const { return FBitCount; }
    // Raises EDirectDrawError unless value is 8, 16, 24 or 32; the old value stays then.
    void SetBitCount(int32_t value);
    bool FixedBitCount = true;
    bool FixedRatio = true;
    bool FixedSize = false;

private:
    int32_t FWidth = 640;
    int32_t FHeight = 480;
    int32_t FBitCount = 8;
};

// The drawing area: owns the back buffer, presents it in its window and tells listeners about its state.
class TCustomDXDraw {
public:
    using TNotifyEvent = std::function<void(TCustomDXDraw& sender)>;
    using TNoticeHandler = std::function<void(TCustomDXDraw& sender, TDXDrawNotice notice)>;

    // The window is the control's own; it must outlive the component.
    explicit TCustomDXDraw(IPresentWindow& window);
    ~TCustomDXDraw();
    TCustomDXDraw(const TCustomDXDraw&) = delete;
    TCustomDXDraw& operator=(const TCustomDXDraw&) = delete;

    void Initialize();
    void Finalize();
    void Present();
    bool SurfacesReady();
    void RestoreSurfaces();
    // A paint request of the control: presents once without waiting for the vertical blank.
    void Paint();

    // Listeners are told apart by owner; one handler per owner.
    void AddListener(const void* owner, TNoticeHandler handler);
    void RemoveListener(const void* owner);

    // The back buffer; null while the component is not initialised.
    TDirectDrawSurface* Surface() { return FSurface.Get(); }
    // The device; exists while initialised.
    TDirectDraw* DDraw();
    bool Initialized() const { return FInitialized; }

    int32_t SurfaceWidth() const;
    int32_t SurfaceHeight() const;
    void SetSurfaceWidth(int32_t value);
    void SetSurfaceHeight(int32_t value);

    // The requested set as written, and the set in effect.
    TDXDrawOptions Options() const { return FOptions; }
    TDXDrawOptions NowOptions() const { return FNowOptions; }
    void SetOptions(TDXDrawOptions value);

    bool AutoInitialize = true;
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TColor Color = clBtnFace;
    TDXDrawDisplay Display;

    TNotifyEvent OnInitialize;
    TNotifyEvent OnFinalize;
    TNotifyEvent OnInitializeSurface;
    TNotifyEvent OnFinalizeSurface;
    TNotifyEvent OnInitializing;
    TNotifyEvent OnRestoreSurface;

    // Component life: while loading, size writes are only stored; Loaded ends loading.
    void BeginLoading();
    void Loaded();
    // The form's hook: the form's window was shown, the control's bounds changed, the form's window was destroyed.
    void FormShown();
    void BoundsChanged();
    void FormDestroyed();

    IPresentWindow& Window() { return FWindow; }

private:
    friend class TDXDrawDriver;
    friend class TDXDrawDriverBlt;
    friend class TDXDrawDriverFlip;
    void NotifyEventList(TDXDrawNotice notice);
    void SetSize(int32_t width, int32_t height);

    IPresentWindow& FWindow;
    std::unique_ptr<TDXDrawDriver> FDriver;
    // On the driver's device, which empties the handle when it goes.
    TSurfaceHandle FSurface;
    struct Listener {
        const void* Owner;
        TNoticeHandler Handler;
    };
    std::vector<Listener> FListeners;
    TDXDrawOptions FOptions{doAllowReboot, doWaitVBlank, doCenter, doDirectX7Mode, doHardware, doSelectDriver};
    TDXDrawOptions FNowOptions;
    int32_t FSurfaceWidth = 0;
    int32_t FSurfaceHeight = 0;
    bool FAutoSize = true;
    bool FLoading = false;
    bool FInitialized = false;
    bool FInitializeAttempted = false;
    bool FDriverActive = false;
    bool FUpdating = false;
    bool FCalledDoInitialize = false;
    bool FCalledDoInitializeSurface = false;
    int32_t FOffNotifyRestore = 0;
};

using TDXDraw = TCustomDXDraw;

// Moves owner's listener registration from the component in bound (if any) to value, and stores value there.
// Withdrawing sends the finalisation notices, registering the current state: the owner follows the binding.
void RebindListener(TCustomDXDraw*& bound, TCustomDXDraw* value, const void* owner,
                    TCustomDXDraw::TNoticeHandler handler);
