#pragma once
// Records what a drawing surface tells its listeners and which of its events fire, as one ordered log.
#include "drawing/DrawingSurface.h"

#include <string>
#include <vector>

inline const char* NoticeName(TDXDrawNotice notice)
{
    static const char* const names[] = {"Destroying",  "Initializing",     "Initialized", "SurfaceInitialized",
                                        "Finalized",   "SurfaceFinalized", "Restored",    "Changed"};
    return names[notice];
}

class TDXDrawLog {
public:
    std::vector<std::string> Entries;

    // A listener that writes "<name>:<notice>".
    TCustomDXDraw::TNoticeHandler Listener(const std::string& name)
    {
        return [this, name](TCustomDXDraw&, TDXDrawNotice notice) {
            Entries.push_back(name + ":" + NoticeName(notice));
        };
    }

    // Hooks every event of the component; each writes its own name.
    void WatchEvents(TCustomDXDraw& dxdraw)
    {
        dxdraw.OnInitializing = Event("OnInitializing");
        dxdraw.OnInitialize = Event("OnInitialize");
        dxdraw.OnInitializeSurface = Event("OnInitializeSurface");
        dxdraw.OnRestoreSurface = Event("OnRestoreSurface");
        dxdraw.OnFinalizeSurface = Event("OnFinalizeSurface");
        dxdraw.OnFinalize = Event("OnFinalize");
    }

    std::vector<std::string> Take()
    {
        std::vector<std::string> taken;
        taken.swap(Entries);
        return taken;
    }

private:
    TCustomDXDraw::TNotifyEvent Event(const std::string& name)
    {
        return [this, name](TCustomDXDraw&) { Entries.push_back(name); };
    }
};
