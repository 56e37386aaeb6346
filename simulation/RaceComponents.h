#pragma once

class IClock;
class TCustomDXDraw;
class TCustomDXSpriteEngine;
class TCustomDXTimer;
class TCustomDXImageList;

// The main window's components the race works with; the window owns them, the race only refers to them.
struct TRaceComponents {
    TCustomDXDraw& DXDraw1;
    TCustomDXSpriteEngine& DXSpriteEngine1;
    TCustomDXTimer& DXTimer1;
    TCustomDXImageList& DXImageList1;
    // Reseeds the random generator whenever the wind draws a new target.
    IClock& Clock;
};
