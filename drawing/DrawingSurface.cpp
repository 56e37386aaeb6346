#include "drawing/DrawingSurface.h"

#include "drawing/DrawDriver.h"
#include "drawing/Errors.h"

#include <utility>

#include <algorithm>
#include <exception>

namespace {

TDXDrawOptions EffectiveOptions(TDXDrawOptions requested)
{
    TDXDrawOptions result = requested;
    if (!result.Has(doFullScreen)) {
        for (auto o : {doNoWindowChange, doAllowReboot, doAllowPalette256, doFlip})
            result.Exclude(o);
    }
    if (!result.Has(do3D)) {
        for (auto o : {doDirectX7Mode, doRetainedMode, doHardware, doSelectDriver, doZBuffer})
            result.Exclude(o);
    }
    if (result.Has(doSystemMemory))
        result.Exclude(doFlip);
    if (result.Has(doDirectX7Mode))
        result.Exclude(doRetainedMode);
    // The device sets doHardware itself once it finds 3D hardware.
    result.Exclude(doHardware);
    return result;
}

// Runs every step even when an earlier one raises, and hands on the first error at the end. Finalisation
// and broadcasts need this: a listener that misses NoticeFinalized would keep surfaces the device frees.
class TFirstError {
public:
    template <class Step>
    void Run(Step&& step)
    {
        try {
            step();
        } catch (...) {
            if (!FError)
                FError = std::current_exception();
        }
    }
    void Rethrow() const
    {
        if (FError)
            std::rethrow_exception(FError);
    }

private:
    std::exception_ptr FError;
};

} // namespace

void TDXDrawDisplay::SetBitCount(int32_t value)
{
    if (value != 8 && value != 16 && value != 24 && value != 32)
        throw EDirectDrawError("It should be either of 8 or 16 or 24 or 32");
    FBitCount = value;
}

TCustomDXDraw::TCustomDXDraw(IPresentWindow& window) : FWindow(window), FNowOptions(EffectiveOptions(FOptions))
{
    // The control gets its bounds as it is created; with AutoSize they become the stored back-buffer size.
    BoundsChanged();
}

TCustomDXDraw::~TCustomDXDraw()
{
    // A destructor cannot hand errors on; finalisation releases everything whatever its handlers do.
    try {
        Finalize();
    } catch (...) {
    }
    try {
        NotifyEventList(NoticeDestroying);
    } catch (...) {
    }
    FListeners.clear();
}

TDirectDraw* TCustomDXDraw::DDraw()
{
    return FDriver ? &FDriver->DDraw() : nullptr;
}

void TCustomDXDraw::SetOptions(TDXDrawOptions value)
{
    if (FInitialized) {
        for (auto o : {doWaitVBlank, doStretch, doCenter}) {
            if (value.Has(o))
                FNowOptions.Include(o);
            else
                FNowOptions.Exclude(o);
        }
    } else {
        FNowOptions = EffectiveOptions(value);
    }
    FOptions = value;
}

void TCustomDXDraw::Initialize()
{
    FInitializeAttempted = true;
    Finalize();
    if (!FWindow.HasParentForm())
        throw EDXDrawError("Form not found");

    try {
        if (OnInitializing)
            OnInitializing(*this);
        FUpdating = true;
        FDriverActive = true;
        NotifyEventList(NoticeInitializing);
        if (FNowOptions.Has(doFlip))
            FDriver = std::make_unique<TDXDrawDriverFlip>(*this);
        else
            FDriver = std::make_unique<TDXDrawDriverBlt>(*this);
        FDriver->Connect();
        if (FAutoSize) {
            FSurfaceWidth = FWindow.ClientWidth();
            FSurfaceHeight = FWindow.ClientHeight();
        }
        FDriver->Initialize();
        FUpdating = false;
        FInitialized = true;
    } catch (...) {
        Finalize();
        throw;
    }

    // Listeners added while these notices run must not be told NoticeRestored before the others hear it.
    ++FOffNotifyRestore;
    try {
        NotifyEventList(NoticeChanged);
        NotifyEventList(NoticeInitialized);
        FCalledDoInitialize = true;
        if (OnInitialize)
            OnInitialize(*this);
        NotifyEventList(NoticeSurfaceInitialized);
        FCalledDoInitializeSurface = true;
        if (OnInitializeSurface)
            OnInitializeSurface(*this);
    } catch (...) {
        --FOffNotifyRestore;
        throw;
    }
    --FOffNotifyRestore;

    RestoreSurfaces();
}

void TCustomDXDraw::Finalize()
{
    if (!FDriverActive)
        return;
    FSurfaceWidth = SurfaceWidth();
    FSurfaceHeight = SurfaceHeight();
    FUpdating = true;

    TFirstError errors;
    if (FCalledDoInitializeSurface) {
        FCalledDoInitializeSurface = false;
        errors.Run([this] {
            if (OnFinalizeSurface)
                OnFinalizeSurface(*this);
        });
    }
    errors.Run([this] { NotifyEventList(NoticeSurfaceFinalized); });
    if (FCalledDoInitialize) {
        FCalledDoInitialize = false;
        errors.Run([this] {
            if (OnFinalize)
                OnFinalize(*this);
        });
    }
    errors.Run([this] { NotifyEventList(NoticeFinalized); });

    FDriverActive = false;
    FInitialized = false;
    FNowOptions = EffectiveOptions(FOptions);
    FDriver.reset();
    FUpdating = false;
    errors.Rethrow();
}

void TCustomDXDraw::Present()
{
    if (!FInitialized || FUpdating || !SurfacesReady())
        return;
    FDriver->Present(FNowOptions.Has(doWaitVBlank));
}

void TCustomDXDraw::Paint()
{
    if (!FInitialized || FUpdating || !SurfacesReady())
        return;
    FDriver->Present(false);
}

bool TCustomDXDraw::SurfacesReady()
{
    if (!FInitialized || FUpdating || !FDriver || !FDriver->Primary())
        return false;
    const auto anyLost = [this] { return FDriver->Primary()->IsLost() || FSurface->IsLost(); };
    if (!anyLost())
        return true;
    RestoreSurfaces();
    // A listener may have finalised the component while it reloaded.
    return FInitialized && FDriver && !anyLost();
}

void TCustomDXDraw::RestoreSurfaces()
{
    if (!FInitialized || FUpdating)
        return;

    struct TClearUpdating {
        bool& Flag;
        ~TClearUpdating() { Flag = false; }
    } clearUpdating{FUpdating};
    FUpdating = true;

    if (FDriver->Restore()) {
        FDriver->Primary()->FillSolid(0);
        FSurface->FillSolid(0);
        NotifyEventList(NoticeRestored);
        if (OnRestoreSurface)
            OnRestoreSurface(*this);
    }
}

void TCustomDXDraw::AddListener(const void* owner, TNoticeHandler handler)
{
    const auto registered = std::find_if(FListeners.begin(), FListeners.end(),
                                         [owner](const Listener& l) { return l.Owner == owner; });
    if (registered != FListeners.end())
        RemoveListener(owner);

    FListeners.push_back({owner, handler});
    handler(*this, NoticeChanged);
    if (FInitialized) {
        handler(*this, NoticeInitialized);
        if (FCalledDoInitializeSurface)
            handler(*this, NoticeSurfaceInitialized);
        if (FOffNotifyRestore == 0)
            handler(*this, NoticeRestored);
    }
}

void TCustomDXDraw::RemoveListener(const void* owner)
{
    const auto registered = std::find_if(FListeners.begin(), FListeners.end(),
                                         [owner](const Listener& l) { return l.Owner == owner; });
    if (registered == FListeners.end())
        return;
    const TNoticeHandler handler = std::move(registered->Handler);
    FListeners.erase(registered);
    if (FCalledDoInitializeSurface)
        handler(*this, NoticeSurfaceFinalized);
    if (FInitialized)
        handler(*this, NoticeFinalized);
}

void TCustomDXDraw::NotifyEventList(TDXDrawNotice notice)
{
    // Handlers may add or remove listeners (an image list drops the component on NoticeDestroying), so the
    // broadcast walks a snapshot of the owners and skips those gone in the meantime.
    std::vector<const void*> owners;
    owners.reserve(FListeners.size());
    for (const Listener& l : FListeners)
        owners.push_back(l.Owner);

    TFirstError errors;
    for (auto owner = owners.rbegin(); owner != owners.rend(); ++owner) {
        const auto registered = std::find_if(FListeners.begin(), FListeners.end(),
                                             [owner](const Listener& l) { return l.Owner == *owner; });
        if (registered == FListeners.end())
            continue;
        const TNoticeHandler handler = registered->Handler;
        errors.Run([&] { handler(*this, notice); });
    }
    errors.Rethrow();
}

int32_t TCustomDXDraw::SurfaceWidth() const
{
    return FSurface && FSurface->HasStorage() ? FSurface->Width() : FSurfaceWidth;
}

int32_t TCustomDXDraw::SurfaceHeight() const
{
    return FSurface && FSurface->HasStorage() ? FSurface->Height() : FSurfaceHeight;
}

void TCustomDXDraw::SetSurfaceWidth(int32_t value)
{
    if (FLoading)
        FSurfaceWidth = value;
    else
        SetSize(value, SurfaceHeight());
}

void TCustomDXDraw::SetSurfaceHeight(int32_t value)
{
    if (FLoading)
        FSurfaceHeight = value;
    else
        SetSize(SurfaceWidth(), value);
}

void TCustomDXDraw::SetSize(int32_t width, int32_t height)
{
    if ((width == SurfaceWidth() && height == SurfaceHeight()) || FUpdating)
        return;

    if (!FInitialized) {
        FSurfaceWidth = width;
        FSurfaceHeight = height;
    } else {
        FSurfaceWidth = std::max(width, 1);
        FSurfaceHeight = std::max(height, 1);
        ++FOffNotifyRestore;
        try {
            NotifyEventList(NoticeSurfaceFinalized);
            if (FCalledDoInitializeSurface) {
                FCalledDoInitializeSurface = false;
                if (OnFinalizeSurface)
                    OnFinalizeSurface(*this);
            }
            FDriver->ResizeBackBuffer();
            NotifyEventList(NoticeSurfaceInitialized);
            FCalledDoInitializeSurface = true;
            if (OnInitializeSurface)
                OnInitializeSurface(*this);
        } catch (...) {
            --FOffNotifyRestore;
            Finalize();
            throw;
        }
        --FOffNotifyRestore;
    }
    NotifyEventList(NoticeChanged);
}

void TCustomDXDraw::SetAutoSize(bool value)
{
    if (FAutoSize == value)
        return;
    FAutoSize = value;
    BoundsChanged();
}

void TCustomDXDraw::BeginLoading()
{
    FLoading = true;
}

void TCustomDXDraw::Loaded()
{
    FLoading = false;
    if (FAutoSize) {
        FSurfaceWidth = FWindow.ClientWidth();
        FSurfaceHeight = FWindow.ClientHeight();
    }
    NotifyEventList(NoticeChanged);
    // Without a form to hook there is no first showing to wait for.
    if (AutoInitialize && !FWindow.HasParentForm())
        Initialize();
}

void TCustomDXDraw::FormShown()
{
    if (AutoInitialize && !FInitializeAttempted)
        Initialize();
}

void TCustomDXDraw::BoundsChanged()
{
    if (FAutoSize && !FUpdating)
        SetSize(FWindow.ClientWidth(), FWindow.ClientHeight());
}

void TCustomDXDraw::FormDestroyed()
{
    Finalize();
}

void RebindListener(TCustomDXDraw*& bound, TCustomDXDraw* value, const void* owner,
                    TCustomDXDraw::TNoticeHandler handler)
{
    if (value == bound)
        return;
    if (bound)
        bound->RemoveListener(owner);
    bound = value;
    if (bound)
        bound->AddListener(owner, std::move(handler));
}
